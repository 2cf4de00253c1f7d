INSTRUCTIONS:
  INITIALIZE_UI
  FIND_JVM 1 1
  JMP0 @N1@ NO_JVM
  LAUNCH "@S2@" 0
  GOTO DONE
  :NO_JVM
  // nothing was found and the user picked no java: the run ends with 0
  :DONE
/:
