' The gauge by its ProgID, driven by name; prints its position and returns it as the exit code.
Set gauge = CreateObject("ZELBO.ZelboCtrl.1")
gauge.SetRange 0, 200
gauge.SetPos 150
WScript.Echo "Position " & gauge.GetPos() & " of 0 to 200, percentage caption " & gauge.Percent
WScript.Quit gauge.GetPos()
