#!/usr/bin/env bash
# Fails when a library above the platform opens a file for writing, renames or
# removes one itself: every write goes through platform/file_writer. Read from
# the libraries with nm, so neither a spelling nor a wrapper gets past it.
#   writer_check.sh LEVEL:LIBRARY...   (LEVEL 0, the platform, may write)
set -uo pipefail
c_calls='fopen|fopen64|freopen|freopen64|open|open64|__open_2|__open64_2|openat|openat64|__openat_2'
c_calls+='|creat|creat64|rename|renameat|renameat2|unlink|unlinkat|remove|truncate|truncate64'
c_calls+='|link|linkat|symlink|symlinkat|mkstemp|mkstemp64|mkostemp|mkostemp64|mkstemps|tmpfile'
cxx_calls='std::basic_ofstream|std::basic_fstream|std::basic_filebuf<.*>::open'
cxx_calls+='|std::filesystem::(remove|remove_all|rename|copy|copy_file|resize_file|create_symlink'
cxx_calls+='|create_hard_link|create_directory_symlink)\('
failed=0
for entry in "$@"; do
  level=${entry%%:*} lib=${entry#*:}
  [ "$level" -eq 0 ] && continue
  [ -f "$lib" ] || { echo "no library $lib; build it first"; exit 2; }
  found=$(nm -P -u "$lib" 2>/dev/null | awk '{ print $1 }' | c++filt |
    grep -E "^($c_calls)(@.*)?\$|^($cxx_calls)" | sort -u)
  if [ -n "$found" ]; then
    echo "$(basename "$lib") writes files itself; use platform/file_writer.h instead:"
    echo "$found" | sed 's/^/  /'
    failed=1
  fi
done
[ $failed -eq 0 ] && echo "only the platform writes files"
exit $failed
