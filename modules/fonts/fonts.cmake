# Rajdhani Bold is not kept in the repository: scripts/fetch-font takes it from
# the npm registry and checks it against its recorded SHA-256.
set(KAIRO_FONT_CACHE ${CMAKE_SOURCE_DIR}/.cache/fonts)

function(kairo_add_scene_font target)
  set(ttf ${KAIRO_FONT_CACHE}/Rajdhani-Bold.ttf)
  if(NOT EXISTS ${ttf})
    execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-font ${KAIRO_FONT_CACHE}
      RESULT_VARIABLE fetched)
    if(NOT fetched EQUAL 0 OR NOT EXISTS ${ttf})
      message(FATAL_ERROR "Rajdhani-Bold.ttf is missing and scripts/fetch-font could not fetch it")
    endif()
  endif()
  set(gen ${CMAKE_CURRENT_BINARY_DIR}/font)
  configure_file(${ttf} ${gen}/modules/fonts/Rajdhani-Bold.ttf COPYONLY)
  qt_add_resources(${target} kairo_font PREFIX / BASE ${gen}
    FILES ${gen}/modules/fonts/Rajdhani-Bold.ttf)
  # The licence travels with the program's data.
  configure_file(${KAIRO_FONT_CACHE}/OFL.txt ${KAIRO_RUNTIME_MODULES}/fonts/OFL.txt COPYONLY)
endfunction()
