
A: 1
B:  "x ""y"" "
C:
  one
  "two "
/:
