# Warnings for the project's own targets (not for third-party code built alongside).
function(tamvera_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(TAMVERA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Windows executables: static C and C++ runtimes, so they import only Windows' own DLLs.
# The header's OS and subsystem versions are 6.1 (Windows 7): an older system refuses the
# file at once instead of failing on a missing entry point.
function(tamvera_windows_executable target)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++
    -Wl,--major-os-version,6,--minor-os-version,1,--major-subsystem-version,6,--minor-subsystem-version,1)
  target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
  set_property(GLOBAL APPEND PROPERTY TAMVERA_WINDOWS_EXECUTABLES ${target})
endfunction()
