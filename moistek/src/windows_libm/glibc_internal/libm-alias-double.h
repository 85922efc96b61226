/* Included by the vendored glibc sources for the symbol aliases and the SVID error handling
   of glibc's own libm. Each vendored function is compiled under a name of this library's own
   (-D__exp=... and so on), which leaves the aliases out, so nothing is needed here.  */
