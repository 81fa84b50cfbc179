# Removes what `cmake --install` wrote, as listed in install_manifest.txt
# (run by the uninstall target: cmake --build <build> --target uninstall),
# then the folders of Velmora's own that are left empty.
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} is missing (cmake --install writes it)")
endif()
file(STRINGS "${MANIFEST}" installed)
set(folders "")
foreach(file ${installed})
  if(EXISTS "${file}" OR IS_SYMLINK "${file}")
    message(STATUS "Removing ${file}")
    file(REMOVE "${file}")
    if(EXISTS "${file}")
      message(FATAL_ERROR "Cannot remove ${file}")
    endif()
  endif()
  get_filename_component(folder "${file}" DIRECTORY)
  list(APPEND folders "${folder}")
endforeach()
# Folders only Velmora fills, once empty, up to share/velmora and
# share/doc/velmora themselves; the shared ones (bin, icon sizes, man
# sections) stay.
list(REMOVE_DUPLICATES folders)
foreach(folder ${folders})
  while(folder MATCHES "/share/(velmora|doc/velmora)(/.*)?$" AND IS_DIRECTORY "${folder}")
    file(GLOB left "${folder}/*")
    if(left)
      break()
    endif()
    file(REMOVE_RECURSE "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()
