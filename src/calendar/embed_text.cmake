# Writes a C++ source that holds the calendar's data files as string constants,
# so the program carries its tables and never reads them at run time.
# Called with -DOUTPUT=<file.cpp> -DDATA_DIR=<dir>.
set(body "// Generated from src/calendar/data at build time; edit the data files instead.\n")
string(APPEND body "#include \"calendar_data.h\"\n\nnamespace calendar::data {\n")
foreach(pair "leapMonthText;leap-months.txt" "eraText;eras.csv" "correctionText;calendar-corrections.txt")
  list(GET pair 0 name)
  list(GET pair 1 file)
  file(READ "${DATA_DIR}/${file}" content)
  string(APPEND body "\nstd::string_view ${name}() {\n  return R\"jzbdata(${content})jzbdata\";\n}\n")
endforeach()
string(APPEND body "\n}  // namespace calendar::data\n")
file(WRITE "${OUTPUT}.tmp" "${body}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
