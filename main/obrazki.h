#pragma once
// The form pictures of the tree views (ImagePit): index PM for a node, PM + 3 for a selected node.

#include <QIcon>
#include <array>

std::array<QIcon, 6> ObrazkiDrukow();
