#pragma once
// The main window's pictures: the form pictures of the tree views (ImagePit: index PM for a node, PM + 3 for a
// selected node) and the tool-bar icons, which are the program's own SVG files among its resources.

#include <QIcon>
#include <array>

std::array<QIcon, 6> ObrazkiDrukow();

// The tool-bar icon of that name (a file ":/ikony/<nazwa>.svg"), drawn at a size when one is first needed, so
// making the window draws none and loads no icon theme or image plugin.
QIcon IkonaPaska(const QString& nazwa);
