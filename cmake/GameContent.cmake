# The game's data folder, run/base, made by our own generator from the
# sources in content/.  It runs again only when the generator or a content
# source changed, and it writes only the files it makes: settings, saved
# games and screenshots in the run folder are never touched.

find_package(Freetype REQUIRED)

set(KV_FONTS_DIR /usr/share/fonts/truetype CACHE PATH "Debian's TrueType fonts, read by the content generator")
set(KV_CONTENT_TOOL_DIR ${CMAKE_SOURCE_DIR}/tools/make_content)

file(GLOB KV_CONTENT_COMMON_SOURCES CONFIGURE_DEPENDS
  ${KV_CONTENT_TOOL_DIR}/Content.cpp
  ${KV_CONTENT_TOOL_DIR}/art/*.cpp
  ${KV_CONTENT_TOOL_DIR}/audio/*.cpp)
add_library(content_common STATIC ${KV_CONTENT_COMMON_SOURCES})
target_include_directories(content_common PUBLIC ${KV_CONTENT_TOOL_DIR})
target_link_libraries(content_common PUBLIC kvengine Freetype::Freetype)

# Each part is a library of its own and has a generator of its own
# (make_content_tiles, ...), so it can be built and run alone while the
# others are being worked on.
set(KV_CONTENT_PARTS files levels music pictures sounds sprites tiles)
set(KV_CONTENT_PART_OBJECTS)
foreach(part ${KV_CONTENT_PARTS})
  file(GLOB_RECURSE part_sources CONFIGURE_DEPENDS ${KV_CONTENT_TOOL_DIR}/${part}/*.cpp)
  if(part_sources)
    add_library(content_${part} OBJECT ${part_sources})
    target_link_libraries(content_${part} PUBLIC content_common)
    add_executable(make_content_${part} ${KV_CONTENT_TOOL_DIR}/main.cpp $<TARGET_OBJECTS:content_${part}>)
    target_link_libraries(make_content_${part} PRIVATE content_common)
    set_target_properties(make_content_${part} PROPERTIES EXCLUDE_FROM_ALL TRUE)
    list(APPEND KV_CONTENT_PART_OBJECTS $<TARGET_OBJECTS:content_${part}>)
  endif()
endforeach()

add_executable(make_game_content ${KV_CONTENT_TOOL_DIR}/main.cpp ${KV_CONTENT_PART_OBJECTS})
target_link_libraries(make_game_content PRIVATE content_common)

file(GLOB_RECURSE KV_CONTENT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/content/*)
list(FILTER KV_CONTENT_SOURCES EXCLUDE REGEX "/content/zavi3/")
set(KV_CONTENT_STAMP ${KELVANE_RUN_DIR}/base/.made)
add_custom_command(
  OUTPUT ${KV_CONTENT_STAMP}
  COMMAND ${KV_RUN_TOOL} $<TARGET_FILE:make_game_content> ${CMAKE_SOURCE_DIR}/content ${KV_FONTS_DIR} ${KELVANE_RUN_DIR}/base
  COMMAND ${CMAKE_COMMAND} -E touch ${KV_CONTENT_STAMP}
  DEPENDS make_game_content ${KV_CONTENT_SOURCES}
  COMMENT "Making the game's content"
  VERBATIM)
add_custom_target(game_content ALL DEPENDS ${KV_CONTENT_STAMP})

if(TARGET kelvane_tests)
  set_property(SOURCE ${KV_TEST_PATHS_SOURCE} APPEND PROPERTY COMPILE_DEFINITIONS
    KV_MAKE_GAME_CONTENT="$<TARGET_FILE:make_game_content>"
    KV_CONTENT_DIR="${CMAKE_SOURCE_DIR}/content"
    KV_FONTS_DIR="${KV_FONTS_DIR}")
  # The content tests read the data folder and run the generator that the
  # default build makes; the test program itself does not wait for them, so
  # a part being worked on never stops the other tests from building.
endif()
