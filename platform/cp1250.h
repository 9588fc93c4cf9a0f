#pragma once
// Windows-1250 text: the records keep Polish texts as single bytes of this code page.

#include <QString>
#include <string>
#include <string_view>

namespace platform {

// Bytes in Windows-1250 to Unicode; every byte maps to one character.
QString ZCp1250(std::string_view bajty);
// Unicode to Windows-1250; a character the code page lacks becomes '?'.
std::string DoCp1250(const QString& tekst);

}  // namespace platform
