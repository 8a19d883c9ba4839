@echo off
rem Puts Ventoria in the Start menu of this user, pointing to this folder.
rem Nothing else is installed and no administrator rights are needed.
powershell -NoProfile -ExecutionPolicy Bypass -Command ^
  "$s = (New-Object -ComObject WScript.Shell).CreateShortcut([Environment]::GetFolderPath('Programs') + '\Ventoria.lnk');" ^
  "$s.TargetPath = '%~dp0Ventoria.exe'; $s.WorkingDirectory = '%~dp0'; $s.IconLocation = '%~dp0Ventoria.exe,0';" ^
  "$s.Description = 'Ventoria - clienti, magazzino e ricevute'; $s.Save()"
if errorlevel 1 (echo Non e' stato possibile creare il collegamento.) else (echo Collegamento a Ventoria creato nel menu Start.)
pause
