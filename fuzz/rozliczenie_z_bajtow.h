#pragma once
// A settlement described in few bytes, so that a fuzzer's mutations stay small while what is opened is a real .dc8
// file: byte 0 gives the record count (mod 9); then each record's 32-byte header as it stands in the file; then, to
// the end, field entries: the record (a byte, mod the count), the field (2 bytes little-endian, mod 350), a flag byte
// (bit 0: the check box's state; bit 1: the text repeated over all 355 bytes of the entry, with no terminator) and a
// length byte followed by that many bytes of text.

#include <QByteArray>
#include <cstdint>
#include <span>

namespace fuzz {

QByteArray RozliczenieZBajtow(std::span<const std::uint8_t> wejscie);

}  // namespace fuzz
