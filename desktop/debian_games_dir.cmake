# Run by cpack before it makes a package from the staged files: a Debian package keeps the game's
# program in /usr/games rather than /usr/bin. The program finds its pictures as ../share/beroran
# from its own folder, which holds from games/ as from bin/.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(staged ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
  if(EXISTS ${staged}/bin/beroran)
    file(MAKE_DIRECTORY ${staged}/games)
    file(RENAME ${staged}/bin/beroran ${staged}/games/beroran)
    file(GLOB left ${staged}/bin/*)
    if(NOT left)
      file(REMOVE_RECURSE ${staged}/bin)
    endif()
  endif()
endif()
