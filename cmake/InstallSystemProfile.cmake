# Run by the install: writes the machine-wide profile that registers the chart
# component. The prefix is the one of the install (cmake --install --prefix),
# not the one of the configuration, so that the profile lands below it and
# names the component where this install puts it; file(INSTALL) adds DESTDIR.
# Set by the caller: JHAVARI_PROFILE_TEMPLATE, JHAVARI_PROFILE_WRITTEN (the
# file made from it in the build tree), JHAVARI_LIBDIR and JHAVARI_SYSCONFDIR
# (as GNUInstallDirs has them, relative to the prefix or absolute).

cmake_path(ABSOLUTE_PATH JHAVARI_LIBDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE OUTPUT_VARIABLE libdir)
set(JHAVARI_INSTALLED_COMPONENT "${libdir}/jhavari-training/NTGraph.ocx")
# Qt reads the profile from /etc/xdg, which is where the prefix /usr keeps it.
if(CMAKE_INSTALL_PREFIX MATCHES "^/usr/?$")
  set(prefix_of_sysconfdir /)
else()
  set(prefix_of_sysconfdir "${CMAKE_INSTALL_PREFIX}")
endif()
cmake_path(ABSOLUTE_PATH JHAVARI_SYSCONFDIR BASE_DIRECTORY "${prefix_of_sysconfdir}" NORMALIZE
  OUTPUT_VARIABLE sysconfdir)

configure_file("${JHAVARI_PROFILE_TEMPLATE}" "${JHAVARI_PROFILE_WRITTEN}" @ONLY)
file(INSTALL DESTINATION "${sysconfdir}/xdg/Holmvard Limited" TYPE FILE FILES "${JHAVARI_PROFILE_WRITTEN}")
