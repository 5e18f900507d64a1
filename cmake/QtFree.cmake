# bxl_require_qt_free(<target>...): the targets hold logic that must build
# and run without Qt. Once the whole project is configured, everything they
# link, directly or through other targets, is checked, and any Qt target
# found fails the configuration with the chain that brought it in.
include_guard(GLOBAL)

function(_bxl_find_qt target chain)
  get_target_property(_type ${target} TYPE)
  set(_links)
  if(NOT _type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(_direct ${target} LINK_LIBRARIES)
    if(_direct)
      list(APPEND _links ${_direct})
    endif()
  endif()
  get_target_property(_interface ${target} INTERFACE_LINK_LIBRARIES)
  if(_interface)
    list(APPEND _links ${_interface})
  endif()
  foreach(_item IN LISTS _links)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" _item "${_item}")
    if(_item MATCHES "^Qt[0-9]*::" OR _item MATCHES "^QCustomPlot")
      message(FATAL_ERROR "${chain} -> ${_item}: this part of the tool must not use Qt")
    endif()
    # The chain also guards against a cycle of static libraries.
    if(TARGET ${_item} AND NOT chain MATCHES "(^| -> )${_item}( -> |$)")
      _bxl_find_qt(${_item} "${chain} -> ${_item}")
    endif()
  endforeach()
endfunction()

function(_bxl_check_qt_free)
  get_property(_targets GLOBAL PROPERTY BXL_QT_FREE_TARGETS)
  foreach(_target IN LISTS _targets)
    _bxl_find_qt(${_target} ${_target})
  endforeach()
endfunction()

function(bxl_require_qt_free)
  foreach(_target IN LISTS ARGN)
    # Moc would add Qt's include folders; these targets have nothing to moc.
    set_target_properties(${_target} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  endforeach()
  set_property(GLOBAL APPEND PROPERTY BXL_QT_FREE_TARGETS ${ARGN})
  # One check at the end of the configuration, when every link is known.
  get_property(_scheduled GLOBAL PROPERTY BXL_QT_FREE_CHECK_SCHEDULED)
  if(NOT _scheduled)
    set_property(GLOBAL PROPERTY BXL_QT_FREE_CHECK_SCHEDULED TRUE)
    cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL _bxl_check_qt_free)
  endif()
endfunction()
