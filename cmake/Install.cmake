# `cmake --install` and the Debian package (`scripts/package`, CPack).
#
# Layout under the prefix:
#   lib/zorvex/                  the program folder: the executable and its network module
#                                (libzorvex_net.so) beside data/, pictures, skins, music and
#                                news, as the build assembles it, plus installed.txt, which
#                                makes every user keep their own files
#   bin/zorvex                   a link to ../lib/zorvex/zorvex (the program finds its folder
#                                through the link's target)
#   share/applications/          the desktop entry
#   share/icons/hicolor/*/apps/  the icon in the theme's sizes
#   share/metainfo/              the AppStream description
set(ZORVEX_INSTALL_DIR "lib/zorvex")
set(_zv_desktop_src "${PROJECT_SOURCE_DIR}/assets/desktop")
set(_zv_install_stage "${CMAKE_BINARY_DIR}/install-stage")

configure_file(${_zv_desktop_src}/zorvex.desktop.in
               ${_zv_install_stage}/${ZORVEX_APP_ID}.desktop @ONLY)
configure_file(${_zv_desktop_src}/zorvex.metainfo.xml.in
               ${_zv_install_stage}/${ZORVEX_APP_ID}.metainfo.xml @ONLY)
file(MAKE_DIRECTORY ${_zv_install_stage}/bin)
file(CREATE_LINK ../${ZORVEX_INSTALL_DIR}/zorvex ${_zv_install_stage}/bin/zorvex SYMBOLIC)

install(TARGETS zorvex zorvex-pack RUNTIME DESTINATION ${ZORVEX_INSTALL_DIR})
# The data the build drew, without what a run of the build's own program folder wrote there:
# the user files come pristine from assets/userdata.
install(DIRECTORY ${ZORVEX_PROGRAM_DIR}/ DESTINATION ${ZORVEX_INSTALL_DIR}
        USE_SOURCE_PERMISSIONS
        PATTERN "zorvex" EXCLUDE
        PATTERN "zorvex-pack" EXCLUDE
        PATTERN ".zorvex-tmp-*" EXCLUDE
        REGEX "/data/[^/]*\\.(ini|INI)$" EXCLUDE
        REGEX "/data/([sS][aA][vV][eE]|[wW][aA][rR][dD][rR][oO][bB][eE])[0-9]+\\.[dD][aA][tT]$" EXCLUDE)
file(GLOB _zv_userdata CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/userdata/*)
install(FILES ${_zv_userdata} DESTINATION ${ZORVEX_INSTALL_DIR}/data)
install(FILES ${_zv_desktop_src}/installed.txt DESTINATION ${ZORVEX_INSTALL_DIR})
install(FILES ${_zv_install_stage}/bin/zorvex DESTINATION bin)
install(FILES ${_zv_install_stage}/${ZORVEX_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${_zv_install_stage}/${ZORVEX_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION share/icons/hicolor)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zorvex")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Zorvex developers")
set(CPACK_PACKAGE_CONTACT "The Zorvex developers <zorvex@zorvex-planner.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "outfit planner for the online game Korvane")
set(CPACK_PACKAGE_DESCRIPTION "Dress a preview figure in items bought for gold and see the \
outfit's effects, price and efficiency; keep outfits in save slots and a wardrobe, export the \
preview and estimate the playing time it takes to earn the price.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.zorvex-planner.example/")
# The libraries the executable and the network module link are looked up by dpkg-shlibdeps; the
# sound library, which the program loads itself at the first sound, is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-mixer-2.0-0")
set(CPACK_STRIP_FILES ON)
include(CPack)
