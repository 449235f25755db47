# What the Windows program tells about itself, from the one place each fact is kept: the
# version from project(), the copyright holder (also the publisher) from LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE vs_licence)
string(REGEX MATCH "Copyright \\(c\\) [0-9]+ ([^\n]*)" VS_COPYRIGHT "${vs_licence}")
if(NOT VS_COPYRIGHT)
  message(FATAL_ERROR "LICENSE has no copyright line")
endif()
set(VS_PUBLISHER ${CMAKE_MATCH_1})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
set(VS_DESCRIPTION "voronoi-sweep: a Voronoi diagram forming under a sweep line")
set(VS_WINDOWS_SOURCES ${PROJECT_SOURCE_DIR}/platform/windows)
