# Installation layout and the Debian package.
#
#   bin/vantrel_tether, bin/vantrel_cpp_worker, bin/vantrel_camera_detect, bin/vantrel_simcam,
#   bin/vantrel_ptpip_camera           the PTP/IP test camera (loopback only)
#   bin/vantrel_yearbook               the yearbook package from the command line
#   lib/vantrel/libEDSDK.so            the vendor's camera library, put there by the user
#   lib/vantrel/libvantrel_gphoto.so   the same entry points on libgphoto2: any USB or PTP/IP camera
#   lib/vantrel/simcam/                the simulated camera, under its own name: an installed
#                                      application never shows a simulated camera as connected
#   share/vantrel-tether/              icons and the splash mark
#   share/applications/, share/icons/  desktop entry and icon
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vantrel-tether
  FILES_MATCHING PATTERN "*.png" PATTERN "*.csv")
install(FILES ${PROJECT_SOURCE_DIR}/resources/vantrel-tether.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/resources/vantrel_tether_icon.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/512x512/apps RENAME vantrel-tether.png
  OPTIONAL)

set(CPACK_PACKAGE_NAME "vantrel-tether")
set(CPACK_PACKAGE_VENDOR "Vantrel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tethered capture for photographing long lists of people")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vantrel Photo Tether developers <support@vantrel.invalid>")
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The package carries stripped programs and libraries (the debug information was nearly all of its
# size); the build tree keeps its symbols for debugging and the sanitizers.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The gphoto2 camera driver is loaded with dlopen, where shlibdeps may not look.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgphoto2-6")
include(CPack)
