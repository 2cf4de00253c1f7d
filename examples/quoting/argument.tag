COMMAND: """@JVM_HOME@\@JVM_EXE@"" Main ""two words"" one"
