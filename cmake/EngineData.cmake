# Engine data that is built rather than copied: the icon sheet and the
# check-box pictures are drawn from the icon font by a small tool.  The
# shaders are plain sources under content/ and arrive with the run folder.

find_package(Freetype REQUIRED)

set(KV_ICON_FONT
  /usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf
  CACHE FILEPATH "Material Icons font the icon sheet is drawn from")

add_executable(make_engine_textures ${CMAKE_SOURCE_DIR}/tools/make_engine_textures.cpp)
target_link_libraries(make_engine_textures PRIVATE Freetype::Freetype sfml-graphics)
target_include_directories(make_engine_textures PRIVATE ${CMAKE_SOURCE_DIR}/src)

set(KV_ENGINE_TEXTURES
  ${KELVANE_RUN_DIR}/zavi3/textures/Icons.png
  ${KELVANE_RUN_DIR}/zavi3/textures/CheckBox_Checked.png
  ${KELVANE_RUN_DIR}/zavi3/textures/CheckBox_Unchecked.png
  ${KELVANE_RUN_DIR}/zavi3/textures/CheckBox_MouseOver.png)

add_custom_command(
  OUTPUT ${KV_ENGINE_TEXTURES}
  COMMAND ${KV_RUN_TOOL} $<TARGET_FILE:make_engine_textures> ${KV_ICON_FONT} ${KELVANE_RUN_DIR}/zavi3
  DEPENDS make_engine_textures ${KV_ICON_FONT}
  COMMENT "Drawing the icon sheet and check boxes"
  VERBATIM)
add_custom_target(engine_textures ALL DEPENDS ${KV_ENGINE_TEXTURES})

if(TARGET kelvane_tests)
  set_property(SOURCE ${KV_TEST_PATHS_SOURCE} APPEND PROPERTY COMPILE_DEFINITIONS
    KV_MAKE_ENGINE_TEXTURES="$<TARGET_FILE:make_engine_textures>"
    KV_ICON_FONT="${KV_ICON_FONT}")
  add_dependencies(kelvane_tests make_engine_textures)
endif()
