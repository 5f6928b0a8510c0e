# Windows programs that run on a bare Windows: the MinGW runtime (libstdc++,
# libgcc, winpthread) is linked in, so no DLL has to lie beside the .exe, and
# each program carries a manifest that makes its arguments and narrow file
# calls UTF-8.
enable_language(RC)
add_link_options(-static)

# Adds the manifest to every program defined in `dir` and below.
function(kolibra_add_windows_manifests dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/windows/kolibra_manifest.rc)
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    kolibra_add_windows_manifests(${subdir})
  endforeach()
endfunction()
