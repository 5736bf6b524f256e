# fd_embed_version_block(TARGET) links into TARGET its version block: the
# ELF section ".fd_version" of "key=value" entries (product name, file
# version from the project version, maker) that the about box reads back
# from the program file.
function(fd_embed_version_block target)
  set(FD_VERSION_ENTRIES "")
  foreach(entry
      "CompanyName=The Form Designer developers"
      "FileDescription=Form Designer"
      "FileVersion=${PROJECT_VERSION}"
      "InternalName=${target}"
      "LegalCopyright=Copyright (c) the Form Designer developers"
      "OriginalFilename=${target}"
      "ProductName=Form Designer"
      "ProductVersion=${PROJECT_VERSION}")
    string(APPEND FD_VERSION_ENTRIES "    \"${entry}\\0\"\n")
  endforeach()
  set(out ${CMAKE_BINARY_DIR}/generated/${target}_version.cpp)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/VersionBlock.cpp.in ${out} @ONLY)
  target_sources(${target} PRIVATE ${out})
endfunction()
