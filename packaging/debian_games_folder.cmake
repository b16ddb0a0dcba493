# Run by CPack on the staged tree just before it is packed: Debian keeps a
# game's programs in /usr/games, so both move there from /usr/bin.  From
# either folder they find the data in ../share/kelvane.
set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr)
file(MAKE_DIRECTORY ${staged}/games)
foreach(program kelvane kelvane-tool)
  if(NOT EXISTS ${staged}/bin/${program})
    message(FATAL_ERROR "no usr/bin/${program} in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
  endif()
  file(RENAME ${staged}/bin/${program} ${staged}/games/${program})
endforeach()
file(GLOB left ${staged}/bin/*)
if(left)
  message(FATAL_ERROR "usr/bin holds more than the game's programs: ${left}")
endif()
file(REMOVE_RECURSE ${staged}/bin)
