#!/usr/bin/env bash
# Lists the symbols Tardo.so takes from other objects and fails when one of
# them allocates from the heap (the C library's allocators and the functions
# that return allocated memory, and every form of operator new).
#   check_heap_imports.sh Tardo.so
set -u
imports=$(nm -D --undefined-only "$1" | awk '{print $NF}' | sed 's/@.*//' | sort -u) ||
  { echo "cannot read $1"; exit 1; }
heap='^(malloc|calloc|realloc|reallocarray|aligned_alloc|posix_memalign|memalign|valloc|pvalloc|strdup|strndup|wcsdup|asprintf|vasprintf|getline|getdelim|open_memstream|open_wmemstream|realpath|_Zna.*|_Znw.*)$'
found=$(printf '%s\n' "$imports" | grep -E "$heap")
echo "imports: $(echo $imports)"
if [ -n "$found" ]; then
  echo "heap functions imported: $(echo $found)"
  exit 1
fi
echo "no heap function among them"
