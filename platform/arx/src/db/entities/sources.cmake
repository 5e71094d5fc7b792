# The concrete entity classes of the database (lines, arcs, circles, polylines, block
# references, viewports) and the proxies. Included by db/CMakeLists.txt.
set(DB_ENTITY_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/arc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/block_reference.cpp
  ${CMAKE_CURRENT_LIST_DIR}/circle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/circle_filing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/curve.cpp
  ${CMAKE_CURRENT_LIST_DIR}/curve_intersections.cpp
  ${CMAKE_CURRENT_LIST_DIR}/curve_pieces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entity_classes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entity_drawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entity_filing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lwpolyline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/polyline_vertices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/polylines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/proxies.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subentities.cpp
  ${CMAKE_CURRENT_LIST_DIR}/viewport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/viewport_view_record.cpp
)
