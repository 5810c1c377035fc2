# Imported targets for the Debian packages the project builds against.
# Each is looked up only by the subsystems that use it (see ARCHITECTURE.md section 1).

# SQLite::SQLite3 and Threads::Threads come from find_package in the top-level file.

macro(zbe_find_openssl)
  find_package(OpenSSL REQUIRED)
endmacro()

macro(zbe_find_plist)
  if(NOT TARGET PkgConfig::PLIST)
    pkg_check_modules(PLIST REQUIRED IMPORTED_TARGET libplist-2.0)
  endif()
endmacro()

macro(zbe_find_stb)
  if(NOT TARGET PkgConfig::STB)
    pkg_check_modules(STB REQUIRED IMPORTED_TARGET stb)
  endif()
endmacro()

# libheif: HEIF photos, decoded for the preview and encoded into sample backups.
macro(zbe_find_heif)
  if(NOT TARGET PkgConfig::HEIF)
    pkg_check_modules(HEIF REQUIRED IMPORTED_TARGET libheif)
  endif()
endmacro()

# Protocol buffers (libprotobuf and protoc): the note data of the newer notes database.
macro(zbe_find_protobuf)
  if(NOT TARGET protobuf::libprotobuf)
    find_package(Protobuf REQUIRED)
  endif()
endmacro()

macro(zbe_find_zlib)
  find_package(ZLIB REQUIRED)
endmacro()

macro(zbe_find_json)
  find_package(nlohmann_json 3 REQUIRED)
endmacro()

macro(zbe_find_ui_deps)
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets PrintSupport Network)
  find_package(ZLIB REQUIRED)
  if(NOT TARGET PkgConfig::MINIZIP)
    pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
  endif()
  if(NOT TARGET PkgConfig::PUGIXML)
    pkg_check_modules(PUGIXML REQUIRED IMPORTED_TARGET pugixml)
  endif()
  zbe_find_stb()
endmacro()
