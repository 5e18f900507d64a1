# Read by cpack before it makes a package. Without dpkg-shlibdeps (Debian
# package dpkg-dev) cpack would quietly leave the shared libraries out of the
# package's Depends, and the package would install without them.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(BXL_DPKG_SHLIBDEPS dpkg-shlibdeps)
  find_program(BXL_FILE file)
  if(NOT BXL_DPKG_SHLIBDEPS OR NOT BXL_FILE)
    message(FATAL_ERROR "The Debian package needs dpkg-shlibdeps and file to list its dependencies: "
                        "install them with scripts/install-deps (packages dpkg-dev and file).")
  endif()
endif()
