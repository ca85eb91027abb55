# Run by cpack on the staged files before it builds the .deb: Debian puts games
# in /usr/games, compresses man pages, and wants a copyright file and a changelog.
set(root "${CPACK_TEMPORARY_DIRECTORY}/usr")
set(doc "${root}/share/doc/${CPACK_PACKAGE_NAME}")

file(MAKE_DIRECTORY "${root}/games")
file(RENAME "${root}/bin/lantern-drift" "${root}/games/lantern-drift")
file(REMOVE_RECURSE "${root}/bin")

execute_process(COMMAND gzip -9nf "${root}/share/man/man6/lantern-drift.6" COMMAND_ERROR_IS_FATAL ANY)

file(MAKE_DIRECTORY "${doc}")
file(COPY_FILE "${CPACK_LD_DEBIAN_DIR}/copyright" "${doc}/copyright")
configure_file("${CPACK_LD_DEBIAN_DIR}/changelog.in" "${doc}/changelog.Debian" @ONLY)
execute_process(COMMAND gzip -9nf "${doc}/changelog.Debian" COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD "${doc}/copyright" "${doc}/changelog.Debian.gz" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
