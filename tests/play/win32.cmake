# kavelo-play.exe's window and headless play are tried by the Windows leg's run of the program.
