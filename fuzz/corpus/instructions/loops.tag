INSTRUCTIONS:
  SET S1 = "@S2@"
  SET S2 = "@S1@"
  SET S3 = "@S1@"
  :LOOP
  GOTO LOOP
/:
