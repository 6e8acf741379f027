# Wraps a text file into a C++ header as one raw string literal, so the data ships inside the
# library and needs nothing at run time. Usage: cmake -DIN=file -DOUT=header -DNAME=symbol -P ...
file(READ ${IN} content)
file(WRITE ${OUT} "// Generated from ${IN}; edit that file instead.\n#pragma once\n"
     "inline constexpr char ${NAME}[] = R\"embedded(${content})embedded\";\n")
