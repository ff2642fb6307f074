# Installing and packaging: both executables go to bin/ (make install), and
# make package builds a Debian package of them with CPack, its run-time
# dependencies found by dpkg-shlibdeps from the libraries they link.
include(GNUInstallDirs)
install(TARGETS VostrelCmd VostrelInspect RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/vostrelcmd)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vostrelcmd)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Compresses images into GPU block-compressed KTX textures, and inspects them")
set(CPACK_PACKAGE_DESCRIPTION
    "VostrelCmd compresses pictures into ATC, ETC1 and 3Dc textures with their mip chains and writes them as KTX files. VostrelInspect describes, decodes and measures such textures.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "VostrelCmd developers")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
