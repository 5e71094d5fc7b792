# The DXF drawing-file layer of the database: text tokenizer and writer, section structure,
# and the reader and writer of whole drawings. Included by db/CMakeLists.txt.
set(DB_DXF_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/carried_drawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/carried_groups.cpp
  ${CMAKE_CURRENT_LIST_DIR}/class_demand_loader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/database_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawing_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawing_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawing_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_message.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/format_error.cpp
  ${CMAKE_CURRENT_LIST_DIR}/group_code.cpp
  ${CMAKE_CURRENT_LIST_DIR}/group_stream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/item_conversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/structure_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_dxf_filer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tokenizer.cpp
)
