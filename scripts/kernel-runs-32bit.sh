#!/usr/bin/env bash
# Exits 0 when this machine's kernel runs 32-bit x86 programs, 1 when it refuses them
# (a kernel without IA-32 emulation, or a virtual machine that offers no 32-bit mode):
# 32-bit Wine, and with it the 32-bit build's Windows tests, cannot run there.
#
# The probe is the smallest 32-bit ELF program: one loadable segment whose code is
# `mov eax, 1; xor ebx, ebx; int 0x80` (exit with status 0).
set -u
probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
{
  # ELF header: 32-bit, little-endian, executable, i386, entry 0x08048054, program
  # headers at 52, one of them.
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'
  printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'
  printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'
  # Program header: PT_LOAD of the whole file at 0x08048000, readable and executable.
  printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'
  printf '\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000'
  # Code at offset 84.
  printf '\270\001\000\000\000\061\333\315\200'
} >"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
