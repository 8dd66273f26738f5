# The window designs and their behaviour are shared by every front end, so no toolkit may reach
# them: orvelin_require_toolkit_neutral(target) fails the configuration when target links Qt,
# directly or through any target it links. Their sources cannot include Qt's headers either, as
# nothing puts Qt's include folders on their path.
function(orvelin_require_toolkit_neutral target)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    # A static library's private links reach its users as $<LINK_ONLY:...>.
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" current "${current}")
    # By name: Qt's imported targets are not visible outside the folders that found Qt.
    if(current MATCHES "^Qt[0-9]*::")
      message(FATAL_ERROR "${target} must stay toolkit-neutral, but it links ${current}")
    endif()
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(type ${current} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    list(APPEND pending ${links})
  endwhile()
endfunction()
