# The layers as a checked rule, run by ctest through cmake -P. The core (model/, calc/) includes no window header:
# of the program's own only the core's and the platform bottom's, of Qt's only Qt Core's. The platform bottom
# includes nothing of the program but its own headers, and of Qt's only Qt Core's.
#   ZRODLA      the source folder
#   QT_CORE     Qt Core's include folders, joined by ','
#   PLATFORMA   the platform bottom's files, joined by ','

cmake_minimum_required(VERSION 3.25)

string(REPLACE "," ";" QT_CORE "${QT_CORE}")
string(REPLACE "," ";" PLATFORMA "${PLATFORMA}")
set(folder_qt_core "")
foreach(f ${QT_CORE})
  if(f MATCHES "/QtCore$")
    set(folder_qt_core "${f}")
  endif()
endforeach()
if(NOT IS_DIRECTORY "${folder_qt_core}")
  message(FATAL_ERROR "No Qt Core include folder among: ${QT_CORE}")
endif()

set(platforma "")
foreach(f ${PLATFORMA})
  file(RELATIVE_PATH f "${ZRODLA}" "${f}")
  list(APPEND platforma "${f}")
endforeach()
file(GLOB_RECURSE rdzen RELATIVE "${ZRODLA}" "${ZRODLA}/model/*.cpp" "${ZRODLA}/model/*.h" "${ZRODLA}/calc/*.cpp"
     "${ZRODLA}/calc/*.h")
if(NOT rdzen OR NOT platforma)
  message(FATAL_ERROR "No core or platform files found under ${ZRODLA}")
endif()

# The breaches of one file: "file:line: #include ..." for every include outside what its layer may use. wlasne: the
# program's folders the file may include from, besides the platform bottom's files.
set(naruszenia "")
function(sprawdz plik wlasne)
  file(STRINGS "${ZRODLA}/${plik}" wiersze)
  set(numer 0)
  foreach(wiersz IN LISTS wiersze)
    math(EXPR numer "${numer} + 1")
    if(NOT wiersz MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
      continue()
    endif()
    set(naglowek "${CMAKE_MATCH_2}")
    set(zly FALSE)
    if(CMAKE_MATCH_1 STREQUAL "\"")
      # The program's own header: from an allowed folder or a platform bottom's file.
      string(REGEX MATCH "^[^/]+/" katalog "${naglowek}")
      if(NOT naglowek IN_LIST platforma AND NOT katalog IN_LIST wlasne)
        set(zly TRUE)
      endif()
    elseif(naglowek MATCHES "^Qt[A-Za-z]*/")
      # A Qt header by its module: Qt Core's only.
      if(NOT naglowek MATCHES "^QtCore/")
        set(zly TRUE)
      endif()
    elseif(naglowek MATCHES "^Q" AND NOT EXISTS "${folder_qt_core}/${naglowek}")
      # A Qt class or module header: one Qt Core has.
      set(zly TRUE)
    endif()
    if(zly)
      list(APPEND naruszenia "${plik}:${numer}: #include ${naglowek}")
    endif()
  endforeach()
  set(naruszenia "${naruszenia}" PARENT_SCOPE)
endfunction()

foreach(plik ${rdzen})
  sprawdz("${plik}" "model/;calc/")
endforeach()
foreach(plik ${platforma})
  sprawdz("${plik}" "")
endforeach()

if(naruszenia)
  list(JOIN naruszenia "\n" tekst)
  message(FATAL_ERROR "Headers outside the layer:\n${tekst}")
endif()
list(LENGTH rdzen n)
list(LENGTH platforma m)
message(STATUS "${n} core and ${m} platform bottom files include within their layers")
