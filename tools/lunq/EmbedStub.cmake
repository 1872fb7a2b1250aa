# cmake -DIN=<stub> -DOUT=<c file> -P EmbedStub.cmake: the stub as a C array.
file(READ ${IN} _hex HEX)
string(LENGTH "${_hex}" _len)
math(EXPR _size "${_len} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _bytes "${_hex}")
file(WRITE ${OUT} "const unsigned char g_lunqStub[] = {${_bytes}};\nconst unsigned long g_lunqStubSize = ${_size};\n")
