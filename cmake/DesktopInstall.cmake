# The installed program as a desktop citizen: menu entry, AppStream metadata,
# the document type, the icon, the machine-wide registration of the chart
# component, and the Debian package made from all of it.

set(JHAVARI_APP_ID com.holmvard.JhavariTraining)
set(desktop_folder ${PROJECT_SOURCE_DIR}/resources/desktop)
set(icon_folder ${PROJECT_SOURCE_DIR}/resources/icons)

install(FILES ${desktop_folder}/${JHAVARI_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_folder}/${JHAVARI_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop_folder}/jhavari-training.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(size 16 32 48 256)
  install(FILES ${icon_folder}/128_${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${JHAVARI_APP_ID}.png)
endforeach()
install(FILES ${icon_folder}/128.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME ${JHAVARI_APP_ID}.svg)

# The chart component counts as registered for every user of the machine: the
# machine-wide profile, which each user's profile falls back to, names it.
# Where it goes and what it names follow the prefix of the install.
install(CODE "
  set(JHAVARI_PROFILE_TEMPLATE \"${desktop_folder}/Jhavari-Training.conf.in\")
  set(JHAVARI_PROFILE_WRITTEN \"${CMAKE_CURRENT_BINARY_DIR}/system-profile/Jhavari-Training.conf\")
  set(JHAVARI_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(JHAVARI_SYSCONFDIR \"${CMAKE_INSTALL_SYSCONFDIR}\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/InstallSystemProfile.cmake\")")

set(CPACK_PACKAGE_NAME jhavari-training)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Holmvard Limited")
set(CPACK_PACKAGE_CONTACT "Holmvard Limited <jhavari-training@holmvard.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "concentration training in meditation")
set(CPACK_PACKAGE_DESCRIPTION
  "Jhavari-Training times the intervals of concentration in meditation, marked with the mouse,\n"
  "announces them with sounds, keeps them in .con documents and evaluates them in diagrams\n"
  "that can be printed and exported.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.holmvard.com/jhavari-training")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded with the first sound played rather than linked, so the libraries' scan does not see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsndfile1")
# The chart component is a plug-in, not a library other packages link.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Qt's Wayland plug-in lets the program run natively in a Wayland session.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libasound2-plugins, qt6-wayland")
set(CPACK_STRIP_FILES ON)
include(CPack)
