# Writes the AppStream metainfo OUT from metainfo.xml.in with APP_ID, VERSION and
# RELEASE_DATE. Software centres take screenshots only from web addresses: when
# SCREENSHOT_URL (where the repository's docs/ folder is published) is set, the README's two
# pictures are listed under it; without it the metainfo has no screenshots.
# Included by data/CMakeLists.txt, and runnable on its own with cmake -D... -P.
if(SCREENSHOT_URL)
  set(SCREENSHOTS "  <screenshots>
    <screenshot type=\"default\">
      <caption>The sweep midway: beach line, breakpoints and circle events</caption>
      <image type=\"source\" width=\"985\" height=\"730\">${SCREENSHOT_URL}/sweep-midway.png</image>
    </screenshot>
    <screenshot>
      <caption>The finished Voronoi diagram with its Delaunay edges</caption>
      <image type=\"source\" width=\"985\" height=\"730\">${SCREENSHOT_URL}/finished-diagram.png</image>
    </screenshot>
  </screenshots>
")
else()
  set(SCREENSHOTS "")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/metainfo.xml.in ${OUT} @ONLY)
