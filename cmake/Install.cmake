# Installing: the two programs in bin/, the run folder's data under
# share/kelvane (the game finds it from its own bin/ folder and only reads
# it), and what a desktop needs to list the game: its entry, AppStream data,
# icons and manual pages.  Build first; installing copies what the build made.

include(GNUInstallDirs)

# Reverse-DNS name of the desktop entry, the metainfo file and the icons.
set(KV_APP_ID invalid.kelvane.Kelvane)
set(KV_PACKAGING_SOURCES ${CMAKE_SOURCE_DIR}/packaging)
set(KV_PACKAGING_BUILT ${CMAKE_BINARY_DIR}/packaging)
set(KV_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvane)
set(KV_DOC_DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvane)

# The icons: the mower on grass, painted with the sprites' and tiles' own
# brushes by a generator of their own, so base/ stays what the game reads.
add_executable(make_icons
  ${KV_CONTENT_TOOL_DIR}/main.cpp
  ${KV_CONTENT_TOOL_DIR}/icons/AppIcon.cpp
  ${KV_CONTENT_TOOL_DIR}/icons/IconsPart.cpp
  ${KV_CONTENT_TOOL_DIR}/sprites/MowerPicture.cpp
  ${KV_CONTENT_TOOL_DIR}/tiles/Ground.cpp)
target_link_libraries(make_icons PRIVATE content_common)
set(KV_ICON_SIZES 256 64)
set(KV_ICONS)
foreach(size ${KV_ICON_SIZES})
  list(APPEND KV_ICONS ${KV_PACKAGING_BUILT}/icons/kelvane-${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${KV_ICONS}
  COMMAND ${KV_RUN_TOOL} $<TARGET_FILE:make_icons> ${CMAKE_SOURCE_DIR}/content ${KV_FONTS_DIR} ${KV_PACKAGING_BUILT}/icons
  DEPENDS make_icons
  COMMENT "Painting the desktop icons"
  VERBATIM)

# Manual pages carry the version and go out compressed, without a name or
# time stamp in the gzip header so the package is the same on every build.
set(KV_MAN_PAGES kelvane.6 kelvane-tool.1)
set(KV_MAN_PAGES_GZ)
foreach(page ${KV_MAN_PAGES})
  configure_file(${KV_PACKAGING_SOURCES}/${page} ${KV_PACKAGING_BUILT}/man/${page} @ONLY)
  add_custom_command(
    OUTPUT ${KV_PACKAGING_BUILT}/man/${page}.gz
    COMMAND gzip -9nc ${KV_PACKAGING_BUILT}/man/${page} > ${KV_PACKAGING_BUILT}/man/${page}.gz
    DEPENDS ${KV_PACKAGING_BUILT}/man/${page} ${KV_PACKAGING_SOURCES}/${page}
    COMMENT "Compressing the manual page ${page}")
  list(APPEND KV_MAN_PAGES_GZ ${KV_PACKAGING_BUILT}/man/${page}.gz)
endforeach()
add_custom_command(
  OUTPUT ${KV_PACKAGING_BUILT}/changelog.Debian.gz
  COMMAND gzip -9nc ${KV_PACKAGING_SOURCES}/changelog > ${KV_PACKAGING_BUILT}/changelog.Debian.gz
  DEPENDS ${KV_PACKAGING_SOURCES}/changelog
  COMMENT "Compressing the package's change log")
add_custom_target(packaging_files ALL DEPENDS ${KV_ICONS} ${KV_MAN_PAGES_GZ} ${KV_PACKAGING_BUILT}/changelog.Debian.gz)

# Directories rwxr-xr-x whatever the umask, as a package wants them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS kelvane kelvane-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The data as the build made it.  The run folder also holds what the game
# wrote while being played there; none of that is shipped.
set(KV_PLAYERS_FILES
  PATTERN savegames EXCLUDE
  PATTERN .made EXCLUDE
  PATTERN zavi3.ini EXCLUDE
  PATTERN kelvane.ini EXCLUDE
  PATTERN scriptConsoleHistory.dat EXCLUDE
  PATTERN "*.log" EXCLUDE
  REGEX "/[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]_[0-9][0-9][0-9][0-9][0-9][0-9](_[0-9]+)?\\.png$" EXCLUDE)
install(DIRECTORY ${KELVANE_RUN_DIR}/base ${KELVANE_RUN_DIR}/zavi3
  DESTINATION ${KV_DATA_DESTINATION}
  ${KV_PLAYERS_FILES})

install(FILES ${KV_PACKAGING_SOURCES}/${KV_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KV_PACKAGING_SOURCES}/${KV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${KV_ICON_SIZES})
  install(FILES ${KV_PACKAGING_BUILT}/icons/kelvane-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${KV_APP_ID}.png)
endforeach()
install(FILES ${KV_PACKAGING_BUILT}/man/kelvane.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${KV_PACKAGING_BUILT}/man/kelvane-tool.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KV_PACKAGING_SOURCES}/copyright ${KV_PACKAGING_BUILT}/changelog.Debian.gz
  DESTINATION ${KV_DOC_DESTINATION})

if(BUILD_TESTING)
  # An installed tree under a scratch prefix: its layout, the validators,
  # the manual pages and the programs started from it.  It plants files the
  # game writes in the run folder to see them left out, so it runs alone.
  add_test(NAME packaging.installed_tree
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/packaging/installed_tree.sh ${CMAKE_BINARY_DIR} ${KV_APP_ID})
  set_tests_properties(packaging.installed_tree PROPERTIES
    LABELS packaging RUN_SERIAL TRUE TIMEOUT 120)
endif()
