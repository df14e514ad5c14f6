# Turns the SVG sources under modules/img/svg/ into the PNG files the scene
# names and compiles them into the target's resources:
#   svg/frame/N.svg          -> qrc:/modules/img/N.png
#   svg/skin1/GROUP/N.svg    -> qrc:/index/modules/img/skin1/GROUP/N.png
#   svg/gun/N.svg            -> qrc:/gun/modules/img/skin1/gun/N.png
# Every picture is rendered at twice its design size, so it stays sharp when
# the scene is drawn one and a half times larger on a maximised window, and at
# its design size as N_1x.png, which a window of the design's size reads
# instead of decoding four times the pixels only to scale them down.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)

function(kairo_render_svg_group target name svg_dir out_rel prefix)
  set(gen ${CMAKE_CURRENT_BINARY_DIR}/art/${name})
  file(GLOB_RECURSE svgs RELATIVE ${svg_dir} CONFIGURE_DEPENDS ${svg_dir}/*.svg)
  set(pngs)
  foreach(rel ${svgs})
    string(REGEX REPLACE "\\.svg$" ".png" png_rel ${rel})
    string(REGEX REPLACE "\\.svg$" "_1x.png" small_rel ${rel})
    set(out ${gen}/${out_rel}/${png_rel})
    set(small ${gen}/${out_rel}/${small_rel})
    get_filename_component(out_dir ${out} DIRECTORY)
    add_custom_command(OUTPUT ${out} ${small}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
      COMMAND ${RSVG_CONVERT} --zoom=2 --output=${out} ${svg_dir}/${rel}
      COMMAND ${RSVG_CONVERT} --zoom=1 --output=${small} ${svg_dir}/${rel}
      DEPENDS ${svg_dir}/${rel} VERBATIM)
    list(APPEND pngs ${out} ${small})
  endforeach()
  if(pngs)
    qt_add_resources(${target} kairo_art_${name} PREFIX ${prefix} BASE ${gen} FILES ${pngs})
  endif()
endfunction()

function(kairo_add_scene_images target)
  set(src ${CMAKE_SOURCE_DIR}/modules/img/svg)
  kairo_render_svg_group(${target} frame ${src}/frame modules/img /)
  kairo_render_svg_group(${target} skin1 ${src}/skin1 modules/img/skin1 /index)
  kairo_render_svg_group(${target} gun ${src}/gun modules/img/skin1/gun /gun)
endfunction()
