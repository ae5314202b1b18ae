# The check that books open alike on SQLCipher 3 and 4 needs the program's connection code
# and its seed tool built against SQLCipher 4, from the amalgamated source that
# scripts/deps.sh fetches. They are programs of their own, so that SQLCipher 4 never links
# beside the system's SQLCipher 3, and they stay out of the ordinary build (the engine
# takes about half a minute to compile): the check builds them itself. Without the
# source the check fails and says why; it never passes unrun.
set(KELOPZ_SQLCIPHER4_DIR ${CMAKE_SOURCE_DIR}/.cache/sqlcipher4 CACHE PATH
    "SQLCipher 4's amalgamated source, fetched by scripts/deps.sh")
set(KELOPZ_SQLCIPHER4_SOURCE ${KELOPZ_SQLCIPHER4_DIR}/src/sqlite3.c)

if(EXISTS ${KELOPZ_SQLCIPHER4_SOURCE})
  enable_language(C)
  find_package(OpenSSL REQUIRED COMPONENTS Crypto)
  find_package(Threads REQUIRED)
  add_library(kelopz_sqlcipher4 STATIC EXCLUDE_FROM_ALL ${KELOPZ_SQLCIPHER4_SOURCE})
  set_target_properties(kelopz_sqlcipher4 PROPERTIES AUTOMOC OFF)
  target_include_directories(kelopz_sqlcipher4 PUBLIC ${KELOPZ_SQLCIPHER4_DIR}/src)
  target_compile_definitions(kelopz_sqlcipher4 PUBLIC SQLITE_HAS_CODEC
    PRIVATE SQLITE_TEMP_STORE=2 SQLCIPHER_CRYPTO_OPENSSL SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION NDEBUG)
  # The engine is not what the check tests: the sanitizers would only slow it down and
  # report on its code.
  target_compile_options(kelopz_sqlcipher4 PRIVATE -fno-sanitize=all -w)
  target_link_libraries(kelopz_sqlcipher4 PUBLIC OpenSSL::Crypto Threads::Threads m)

  add_executable(kelopz_sqlcipher4_writer EXCLUDE_FROM_ALL
    tests/scripts/sqlcipher4_writer.cpp src/platform/sqlconnection.cpp src/platform/lockwait.cpp)
  target_link_libraries(kelopz_sqlcipher4_writer PRIVATE kelopz_sqlcipher4 Qt6::Core)
  add_executable(kelopz_sqlcipher4_mkdb EXCLUDE_FROM_ALL tools/mkdb.cpp)
  target_link_libraries(kelopz_sqlcipher4_mkdb PRIVATE kelopz_sqlcipher4)
  foreach(program kelopz_sqlcipher4_writer kelopz_sqlcipher4_mkdb)
    target_include_directories(${program} PRIVATE src)
  endforeach()
endif()

add_test(NAME books_open_on_sqlcipher4
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/books_open_on_sqlcipher4.sh
                 ${CMAKE_BINARY_DIR} ${CMAKE_COMMAND} ${KELOPZ_SQLCIPHER4_SOURCE})
set_tests_properties(books_open_on_sqlcipher4 PROPERTIES TIMEOUT 900)
