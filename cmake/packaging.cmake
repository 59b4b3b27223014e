# Installs and packages both tools, at the project's one version:
#   Windows: cpack -G ZIP makes d88cut-<version>-win32.zip (win64 for a 64-bit
#            build): the executables, each with a version resource, a user's
#            README in English and one in Japanese, and the license, as CRLF
#            text.
#   Debian:  cpack -G DEB makes d88cut_<version>_<arch>.deb: the tools in
#            /usr/bin, their gzipped manual pages in English and in Japanese
#            (/usr/share/man/ja/man1), and the README, copyright and
#            changelog in /usr/share/doc/d88cut.
include(GNUInstallDirs)

set(maintainer "The d88cut project <maintainers@d88cut.example.org>")
set(CPACK_PACKAGE_NAME d88cut)
set(CPACK_PACKAGE_VENDOR "The d88cut project")
set(CPACK_PACKAGE_CONTACT "${maintainer}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cut the music files out of a D88 floppy-disk image")
set(CPACK_PACKAGE_DESCRIPTION
    "d88cut opens the first disk of a D88 floppy-disk image and writes fixed runs
of its 256-byte sectors, byte for byte, to fourteen files in the current
folder: DRIVER (a music driver), VOICE (its voice data) and MUS00 to MUS11
(twelve songs). It never changes the image, and never writes into, moves or
removes a file it did not create: an earlier file under an output's name is
replaced whole by a new one, or kept and reported.
.
d88ls lists the disks and tracks of an image, the flags they carry (write
protection, density, deleted marks, read errors), and what d88cut would cut,
with the reason a file would come out short or not at all.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(descriptions_d88cut "Cuts the music files out of a D88 floppy-disk image")
set(descriptions_d88ls "Lists a D88 image and what d88cut would cut from it")

if(WIN32)
  # The zip's name, and the paths its README.txt shows.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
  foreach(tool d88cut d88ls)
    set(description ${descriptions_${tool}})
    configure_file(packaging/version.rc.in ${CMAKE_BINARY_DIR}/${tool}.rc @ONLY)
    target_sources(${tool} PRIVATE ${CMAKE_BINARY_DIR}/${tool}.rc)
  endforeach()
  install(TARGETS d88cut d88ls RUNTIME DESTINATION .)
  # Text a Windows user opens with a double click: how to run the tools, not
  # how to build them.
  configure_file(packaging/README-windows.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY
                 NEWLINE_STYLE CRLF)
  configure_file(packaging/README-windows-ja.txt.in ${CMAKE_BINARY_DIR}/README-ja.txt @ONLY
                 NEWLINE_STYLE CRLF)
  configure_file(LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/README-ja.txt
                ${CMAKE_BINARY_DIR}/LICENSE.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
else()
  install(TARGETS d88cut d88ls RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # Manual pages and the changelog carry the version, and the manual pages
  # the date of its release, the changelog's first entry's ("-- name  Tue,
  # 08 Dec 2026 ..."); Debian wants them gzipped without a time stamp.
  file(STRINGS packaging/changelog.in signed REGEX "^ -- " LIMIT_COUNT 1)
  if(NOT signed MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "packaging/changelog.in: its first entry has no date")
  endif()
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(FIND months ${CMAKE_MATCH_2} month)
  math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
  if(month LESS 10)
    set(month 0${month})
  endif()
  set(RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
  set(gzipped)
  # The manual pages in English, and in Japanese under man/ja.
  foreach(page d88cut.1 d88ls.1 ja/d88cut.1 ja/d88ls.1)
    configure_file(man/${page}.in ${CMAKE_BINARY_DIR}/man/${page} @ONLY)
    list(APPEND gzipped man/${page})
  endforeach()
  configure_file(packaging/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
  list(APPEND gzipped changelog)
  set(outputs)
  foreach(file ${gzipped})
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${file}.gz
                       COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/${file}
                       DEPENDS ${CMAKE_BINARY_DIR}/${file})
    list(APPEND outputs ${CMAKE_BINARY_DIR}/${file}.gz)
  endforeach()
  add_custom_target(gzipped_docs ALL DEPENDS ${outputs})
  install(FILES ${CMAKE_BINARY_DIR}/man/d88cut.1.gz ${CMAKE_BINARY_DIR}/man/d88ls.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_BINARY_DIR}/man/ja/d88cut.1.gz ${CMAKE_BINARY_DIR}/man/ja/d88ls.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
  install(FILES README.md packaging/copyright ${CMAKE_BINARY_DIR}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${maintainer}")
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
      GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()
include(CPack)
