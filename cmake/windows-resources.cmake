# The Windows program's icon and version resource, compiled by mingw-w64's windres.
#   vs_add_windows_resources(target)
# The .ico is packed by the build from the committed icon (data/icons): 48 and 256 pixels
# from its PNGs, 16 and 32 rendered from its SVG, the 256 one kept as PNG as Windows expects.
include(${CMAKE_CURRENT_LIST_DIR}/windows-release.cmake)
find_program(VS_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(VS_ICOTOOL icotool REQUIRED)

function(vs_add_windows_resources target)
  set(icons ${PROJECT_SOURCE_DIR}/data/icons)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/windows-resources)
  set(VS_ICON_FILE ${out}/voronoi-sweep.ico)
  add_custom_command(
    OUTPUT ${VS_ICON_FILE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
    COMMAND ${VS_RSVG_CONVERT} --width 16 --height 16 --output ${out}/icon-16.png ${icons}/voronoi-sweep.svg
    COMMAND ${VS_RSVG_CONVERT} --width 32 --height 32 --output ${out}/icon-32.png ${icons}/voronoi-sweep.svg
    COMMAND ${VS_ICOTOOL} --create --output ${VS_ICON_FILE} ${out}/icon-16.png ${out}/icon-32.png
            ${icons}/voronoi-sweep-48.png --raw=${icons}/voronoi-sweep-256.png
    DEPENDS ${icons}/voronoi-sweep.svg ${icons}/voronoi-sweep-48.png ${icons}/voronoi-sweep-256.png
    COMMENT "Packing the program's icon into voronoi-sweep.ico"
    VERBATIM)
  set(VS_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  configure_file(${VS_WINDOWS_SOURCES}/voronoi-sweep.rc.in ${out}/voronoi-sweep.rc @ONLY)
  target_sources(${target} PRIVATE ${out}/voronoi-sweep.rc)
  # windres reads the icon: rebuild the resource when the icon changes.
  set_source_files_properties(${out}/voronoi-sweep.rc PROPERTIES OBJECT_DEPENDS ${VS_ICON_FILE})
  set(VS_ICON_FILE ${VS_ICON_FILE} PARENT_SCOPE)
endfunction()
