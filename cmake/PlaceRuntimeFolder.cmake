# Places the run-time folder beside the executable: cmake -DSOURCE=... -DTARGET=... -P this.
# Shipped data (definitions, languages, images, sounds, factory copies) is refreshed on
# every build. The files the user keeps (configuration, profile slots, macros) are placed
# only when absent, so rebuilding never throws away what was applied in the program.
file(GLOB_RECURSE shipped RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(relative IN LISTS shipped)
  if(relative MATCHES "^qml/")
    continue() # the scene is compiled into the executable
  endif()
  set(target ${TARGET}/${relative})
  if(relative MATCHES "^setting/(apConfig|p[0-9]+)\\.bin$" OR relative MATCHES "^macro/")
    if(EXISTS ${target})
      continue()
    endif()
  endif()
  get_filename_component(folder ${target} DIRECTORY)
  file(COPY ${SOURCE}/${relative} DESTINATION ${folder})
endforeach()
