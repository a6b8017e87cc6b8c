# Starts KivLauncher.exe in FOLDER with ARGUMENTS and returns its exit code
# and what it wrote to standard output (redirected to FOLDER\stdout.txt). A
# launcher still running after SECONDS is ended and the step fails: on the
# runner's desktop a message box would wait for a click that never comes.
param([string]$Folder, [string[]]$Arguments, [int]$Seconds = 120)
$ErrorActionPreference = 'Stop'
$Folder = (Resolve-Path $Folder).Path
$stdout = Join-Path $Folder 'stdout.txt'
$launcher = Start-Process -FilePath (Join-Path $Folder 'KivLauncher.exe') -WorkingDirectory $Folder `
  -ArgumentList $Arguments -RedirectStandardOutput $stdout -PassThru
$null = $launcher.Handle  # without it the exit code is lost once the process has ended
if (-not $launcher.WaitForExit($Seconds * 1000)) {
  Stop-Process -Id $launcher.Id -Force
  throw "KivLauncher.exe $Arguments in $Folder did not end within $Seconds s"
}
# Java inherited the file and may still hold it: open it sharing everything.
$stream = [IO.File]::Open($stdout, 'Open', 'Read', 'ReadWrite, Delete')
try { $output = (New-Object IO.StreamReader($stream, [Text.Encoding]::Latin1)).ReadToEnd() }
finally { $stream.Dispose() }
"exit code $($launcher.ExitCode), standard output: $output" | Write-Host
[pscustomobject]@{ ExitCode = $launcher.ExitCode; Output = $output }
