# Copies the engine data sources into the run folder without deleting
# anything already there.
if(EXISTS ${SRC})
  file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*)
  foreach(f ${files})
    get_filename_component(dir ${DST}/${f} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(COPY_FILE ${SRC}/${f} ${DST}/${f} ONLY_IF_DIFFERENT)
  endforeach()
endif()
