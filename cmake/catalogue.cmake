# Compiles the message catalogue, a gettext .po file, into C++:
#   cmake -DPO=words/ja.po -DHEADER=.../message_ids.h -DTABLE=.../catalogue.inc -P catalogue.cmake
# Each entry's msgctxt names it in the code (msgctxt "Place" is
# words::kPlace); its msgid (and msgid_plural) is the English, its
# msgstr (msgstr[0]) the Japanese, and an extracted comment "#. listed in
# d88ls.1" names the manual page that quotes it. The strings of a .po file
# are C strings already, so they go into the table as they stand.

cmake_minimum_required(VERSION 3.20)

file(READ "${PO}" text)
# CMake lists split on semicolons, and square brackets change how: keep both
# out of the way while the file is taken apart line by line.
string(REPLACE ";" "@SEMICOLON@" text "${text}")
string(REPLACE "[" "@OPEN@" text "${text}")
string(REPLACE "]" "@CLOSE@" text "${text}")
string(REPLACE "\n" ";" lines "${text};")

set(ids "")
set(entries "")
set(names "")
set(field "")

function(restore var)
  string(REPLACE "@SEMICOLON@" ";" value "${${var}}")
  string(REPLACE "@OPEN@" "[" value "${value}")
  string(REPLACE "@CLOSE@" "]" value "${value}")
  set(${var} "${value}" PARENT_SCOPE)
endfunction()

macro(finish_entry)
  if(NOT "${msgctxt}" STREQUAL "")
    if(NOT msgctxt MATCHES "^[A-Z][A-Za-z0-9]*$")
      message(FATAL_ERROR "${PO}: '${msgctxt}' is no name for a message")
    endif()
    if("${msgctxt}" IN_LIST names)
      message(FATAL_ERROR "${PO}: two messages are named ${msgctxt}")
    endif()
    list(APPEND names "${msgctxt}")
    foreach(part msgid msgid_plural msgstr)
      restore(${part})
    endforeach()
    if(listed STREQUAL "")
      set(manual "nullptr")
    else()
      set(manual "\"${listed}\"")
    endif()
    if(has_plural)
      set(plural "\"${msgid_plural}\"")
    else()
      set(plural "nullptr")
    endif()
    string(APPEND ids "  k${msgctxt},\n")
    string(APPEND entries "    {\"${msgctxt}\", \"${msgid}\", ${plural}, \"${msgstr}\", ${manual}},\n")
  endif()
  set(msgctxt "")
  set(msgid "")
  set(msgid_plural "")
  set(msgstr "")
  set(has_plural FALSE)
  set(listed "")
  set(field "")
endmacro()

finish_entry()
foreach(line IN LISTS lines)
  if(line MATCHES "^#\\. listed in ([a-z0-9]+)\\.1$")
    set(listed "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^[ \t\r]*$")
    finish_entry()
  elseif(line MATCHES "^#")
    # any other comment is the translators' own
  elseif(line MATCHES "^(msgctxt|msgid|msgid_plural|msgstr|msgstr@OPEN@0@CLOSE@) \"(.*)\"$")
    set(field "${CMAKE_MATCH_1}")
    if(field STREQUAL "msgstr@OPEN@0@CLOSE@")
      set(field msgstr)
    elseif(field STREQUAL "msgid_plural")
      set(has_plural TRUE)
    endif()
    set(${field} "${CMAKE_MATCH_2}")
  elseif(line MATCHES "^\"(.*)\"$" AND NOT field STREQUAL "")
    string(APPEND ${field} "${CMAKE_MATCH_1}")
  else()
    message(FATAL_ERROR "${PO}: cannot read the line '${line}'")
  endif()
endforeach()
finish_entry()

file(WRITE "${HEADER}.new"
     "// Made from ${PO} by cmake/catalogue.cmake: the names of the messages.\n"
     "#pragma once\n\nnamespace words {\n\nenum Id : int {\n${ids}};\n\n}  // namespace words\n")
file(WRITE "${TABLE}.new"
     "// Made from ${PO} by cmake/catalogue.cmake: name, English (and its plural),\n"
     "// Japanese, the manual page that quotes it.\n${entries}")
# Unchanged files keep their times, so nothing is rebuilt for nothing.
file(COPY_FILE "${HEADER}.new" "${HEADER}" ONLY_IF_DIFFERENT)
file(COPY_FILE "${TABLE}.new" "${TABLE}" ONLY_IF_DIFFERENT)
file(REMOVE "${HEADER}.new" "${TABLE}.new")
