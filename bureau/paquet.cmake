# The Debian package: `cpack -G DEB` in the build folder writes
# visual-graphe_<version>_<arch>.deb from what `cmake --install` installs.
set(CPACK_PACKAGE_NAME visual-graphe)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "visual_graphe developers")
set(CPACK_PACKAGE_CONTACT "visual_graphe developers <visual-graphe@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the TIFF writer,
# the SVG plugins (the theme's SVG icons in the file dialogs), the font of
# the drawing's text, and Qt's French for its own dialogs. The SVG plugins left libqt6svg6 for a package of
# their own in 6.7.2-5 (Debian 13); before, libqt6svg6 has them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-image-formats-plugins, qt6-svg-plugins | libqt6svg6 (<< 6.7.2-5~), fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for sensor-network graphs")
# The summary above is the first line; CPack indents these.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "visual_graphe reads session files (.vga) that name a sensor-network
instance and a solution computed for it, and GraphML networks such as
networkx writes, lists them in a tree, and draws either as a graph: zoom,
vertex dragging, and export as BMP, JPG, PNG, TIFF, SVG, PDF, Graphviz DOT
or GraphML. The command visual_graphe-export draws a session into the same
files without a window, for papers and scripts, and converts GraphML to
sessions. The interface is in French.")
include(CPack)
