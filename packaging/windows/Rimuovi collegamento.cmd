@echo off
rem Takes Ventoria out of the Start menu of this user. The folder, its
rem archives and its backups stay as they are.
powershell -NoProfile -ExecutionPolicy Bypass -Command ^
  "Remove-Item -LiteralPath ([Environment]::GetFolderPath('Programs') + '\Ventoria.lnk') -ErrorAction SilentlyContinue"
echo Collegamento a Ventoria rimosso dal menu Start.
pause
