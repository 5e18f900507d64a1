# Installs the build into a staging directory and checks that a desktop gets
# everything it needs from it: the menu entry, its icon in every size, the
# AppStream data pointing at the entry, the programs the entry starts, a
# manual page for every program, and the documentation Debian asks for (the
# copyright file, the changelog) with the user guide and all it links to.
#
# Run by ctest with -DBUILD_DIR, -DSTAGE, -DAPP_ID, -DICON_NAME, -DICON_SIZES,
# -DMAN_PAGES, -DDATADIR, -DMANDIR, -DBINDIR and -DDOCDIR.

set(_failures 0)
macro(fail message)
  message(SEND_ERROR "${message}")
  math(EXPR _failures "${_failures} + 1")
endmacro()

file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE}/usr
                RESULT_VARIABLE _result OUTPUT_VARIABLE _output ERROR_VARIABLE _output)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${_output}")
endif()
set(_root ${STAGE}/usr)

# The menu entry names its icon and program.
set(_desktop ${_root}/${DATADIR}/applications/${APP_ID}.desktop)
if(NOT EXISTS ${_desktop})
  message(FATAL_ERROR "no menu entry at ${_desktop}")
endif()
file(STRINGS ${_desktop} _icon_line REGEX "^Icon=")
file(STRINGS ${_desktop} _exec_line REGEX "^Exec=")
if(NOT _icon_line STREQUAL "Icon=${ICON_NAME}")
  fail("menu entry asks for '${_icon_line}', the installed icon is ${ICON_NAME}")
endif()
string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" _program "${_exec_line}")
if(EXISTS ${_root}/${BINDIR})
  if(NOT EXISTS ${_root}/${BINDIR}/${_program})
    fail("menu entry starts '${_program}', which is not installed in ${BINDIR}")
  endif()
else()
  message(STATUS "no programs installed yet; the entry's program '${_program}' is not checked")
endif()

# The icon: one scalable picture and a bitmap of each size, really that size.
if(NOT EXISTS ${_root}/${DATADIR}/icons/hicolor/scalable/apps/${ICON_NAME}.svg)
  fail("no scalable icon installed")
endif()
foreach(_size IN LISTS ICON_SIZES)
  set(_png ${_root}/${DATADIR}/icons/hicolor/${_size}x${_size}/apps/${ICON_NAME}.png)
  if(NOT EXISTS ${_png})
    fail("no ${_size}x${_size} icon installed")
    continue()
  endif()
  # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
  file(READ ${_png} _header OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING "${_header}" 0 8 _width_hex)
  string(SUBSTRING "${_header}" 8 8 _height_hex)
  math(EXPR _width "0x${_width_hex}")
  math(EXPR _height "0x${_height_hex}")
  if(NOT _width EQUAL _size OR NOT _height EQUAL _size)
    fail("the ${_size}x${_size} icon is ${_width}x${_height}")
  endif()
endforeach()

# The AppStream data describes this application and launches this entry.
set(_metainfo ${_root}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml)
if(NOT EXISTS ${_metainfo})
  fail("no AppStream data at ${_metainfo}")
else()
  file(READ ${_metainfo} _meta)
  if(NOT _meta MATCHES "<id>${APP_ID}</id>")
    fail("AppStream data does not carry the id ${APP_ID}")
  endif()
  if(NOT _meta MATCHES "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
    fail("AppStream data does not launch ${APP_ID}.desktop")
  endif()
endif()

# A manual page for every listed page and for every installed program.
set(_pages ${MAN_PAGES})
file(GLOB _installed_programs RELATIVE ${_root}/${BINDIR} ${_root}/${BINDIR}/*)
foreach(_program IN LISTS _installed_programs)
  list(APPEND _pages ${_program}.1)
endforeach()
list(REMOVE_DUPLICATES _pages)
foreach(_page IN LISTS _pages)
  set(_dir ${_root}/${MANDIR}/man1)
  if(NOT EXISTS ${_dir}/${_page}.gz AND NOT EXISTS ${_dir}/${_page})
    fail("manual page ${_page} not installed")
  endif()
endforeach()

# gzip -n leaves the name and time stamp out of the header (flag bit 3 and the
# four time bytes), so that a rebuild gives the same bytes.
macro(check_gzip path)
  file(READ ${path} _header LIMIT 8 HEX)
  string(SUBSTRING "${_header}" 0 4 _magic)
  string(SUBSTRING "${_header}" 6 2 _flags)
  string(SUBSTRING "${_header}" 8 8 _mtime)
  math(EXPR _name_flag "0x${_flags} & 8")
  if(NOT _magic STREQUAL "1f8b")
    fail("${path} is not gzip-compressed")
  elseif(NOT _name_flag EQUAL 0 OR NOT _mtime STREQUAL "00000000")
    fail("${path} carries a file name or time stamp (compress with gzip -9n)")
  endif()
endmacro()
file(GLOB _man_gz ${_root}/${MANDIR}/man1/*.gz)
foreach(_gz IN LISTS _man_gz)
  check_gzip(${_gz})
endforeach()

# Debian's documentation: a machine-readable copyright file and the changelog.
set(_doc ${_root}/${DOCDIR})
if(NOT EXISTS ${_doc}/copyright)
  fail("no copyright file in ${DOCDIR}")
else()
  file(READ ${_doc}/copyright _copyright)
  foreach(_field "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
                 "\nFiles: \\*\n" "\nCopyright: [^\n]*[^ \n]" "\nLicense: [^\n]*[^ \n]\n [^\n]")
    if(NOT _copyright MATCHES "${_field}")
      fail("the copyright file lacks ${_field}")
    endif()
  endforeach()
endif()
if(NOT EXISTS ${_doc}/changelog.Debian.gz)
  fail("no changelog.Debian.gz in ${DOCDIR}")
else()
  check_gzip(${_doc}/changelog.Debian.gz)
endif()

# The user guide and everything it links to by a relative path: pictures and
# other documents must be there in the installed copy too.
if(NOT EXISTS ${_doc}/user-guide.md)
  fail("the user guide is not installed in ${DOCDIR}")
else()
  file(READ ${_doc}/user-guide.md _guide)
  # Square brackets would upset CMake's lists: the link marker "](" is
  # replaced first.
  string(REPLACE "](" "<link>" _guide "${_guide}")
  string(REGEX MATCHALL "<link>[^)#]+" _links "${_guide}")
  set(_pictures 0)
  foreach(_link IN LISTS _links)
    string(REPLACE "<link>" "" _target "${_link}")
    if(_target MATCHES "^[a-z]+:")
      continue()
    endif()
    if(NOT EXISTS ${_doc}/${_target})
      fail("the installed user guide links to ${_target}, which is not installed beside it")
    endif()
    if(_target MATCHES "\\.png$")
      math(EXPR _pictures "${_pictures} + 1")
    endif()
  endforeach()
  if(_pictures EQUAL 0)
    fail("the installed user guide shows no pictures")
  endif()
endif()

if(_failures GREATER 0)
  message(FATAL_ERROR "${_failures} problem(s) in the installed layout")
endif()
message(STATUS "installed layout complete under ${_root}")
