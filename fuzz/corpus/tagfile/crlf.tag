JVM_HOME:  C:\jre
JVM_TEMP:  0
