# Writes the text file ENTRADA into the C++ source SALIDA as the string
# constant tarvo::NOMBRE, one literal per line, so the program carries the
# file without reading it at run time.
file(READ ${ENTRADA} texto)
string(REPLACE "\\" "\\\\" texto "${texto}")
string(REPLACE "\"" "\\\"" texto "${texto}")
string(REPLACE "\n" "\\n\"\n    \"" texto "${texto}")
file(WRITE ${SALIDA}
  "// Generated from ${ENTRADA}; edit that file instead.\n"
  "namespace tarvo {\n"
  "extern const char *const ${NOMBRE};\n"
  "const char *const ${NOMBRE} =\n    \"${texto}\";\n"
  "}\n")
