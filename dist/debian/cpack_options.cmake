# Read by cpack when it builds the package, so the maintainer comes from the
# packager's environment as Debian's own tools take it.
if(DEFINED ENV{DEBEMAIL} AND NOT "$ENV{DEBEMAIL}" STREQUAL "")
  if("$ENV{DEBEMAIL}" MATCHES "<" OR "$ENV{DEBFULLNAME}" STREQUAL "")
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "$ENV{DEBEMAIL}")
  else()
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
  endif()
endif()
