# codec_bench measures against zlib (Huffman-only deflate/inflate), OpenSSL RC4 and a GIF made
# with giflib.
find_package(ZLIB REQUIRED)
find_package(OpenSSL REQUIRED COMPONENTS Crypto)
find_package(GIF REQUIRED)
target_link_libraries(codec_bench PRIVATE zorvex_codec ZLIB::ZLIB OpenSSL::Crypto GIF::GIF)
