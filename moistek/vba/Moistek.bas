Attribute VB_Name = "Moistek"
' Moistek: properties of moist air, from Moistek.dll, in a workbook's macros and cells.
'
' Import this file into the workbook (Visual Basic editor: File > Import File). Moistek.dll must
' match the spreadsheet program: the x86_64 DLL for 64-bit Office, the i686 DLL for 32-bit Office.
' Put it in a folder on the PATH, or beside the workbook and run  MoistekUse ThisWorkbook.Path
' before the first call (in the workbook's Open event, for example).
'
' Units: temperatures (DB dry bulb, WB wet bulb, DP dew point) in degrees C, RH in %, AH (humidity
' ratio) in kg/kg(DA), EN (enthalpy) in kcal/kg(DA), SV (specific volume) in m3/kg(DA), PW and PWS
' (vapour pressure, saturation pressure) in mmHg; always at 760 mmHg. A function returns 0 when
' its inputs have no answer.
'
' In cells, the functions without the V_ prefix: =DBAH2WB(20, 0.007263) gives 13.78 (degrees C).
Option Explicit

#If VBA7 Then
    Private Declare PtrSafe Function SetDllDirectoryA Lib "kernel32" (ByVal PathName As String) As Long
    Private Declare PtrSafe Function LoadLibraryA Lib "kernel32" (ByVal FileName As String) As LongPtr
    Public Declare PtrSafe Function V_DB2PWS Lib "Moistek.dll" (ByVal DB As Double) As Double
    Public Declare PtrSafe Function V_PW2AH Lib "Moistek.dll" (ByVal PW As Double) As Double
    Public Declare PtrSafe Function V_ENDB2AH Lib "Moistek.dll" (ByVal EN As Double, ByVal DB As Double) As Double
    Public Declare PtrSafe Function V_DBWB2AH Lib "Moistek.dll" (ByVal DB As Double, ByVal WB As Double) As Double
    Public Declare PtrSafe Function V_DBSV2AH Lib "Moistek.dll" (ByVal DB As Double, ByVal SV As Double) As Double
    Public Declare PtrSafe Function V_SVWB2AH Lib "Moistek.dll" (ByVal SV As Double, ByVal WB As Double) As Double
    Public Declare PtrSafe Function V_DBRH2AH Lib "Moistek.dll" (ByVal DB As Double, ByVal RH As Double) As Double
    Public Declare PtrSafe Function V_DBAH2EN Lib "Moistek.dll" (ByVal DB As Double, ByVal AH As Double) As Double
    Public Declare PtrSafe Function V_DBAH2WB Lib "Moistek.dll" (ByVal DB As Double, ByVal AH As Double) As Double
    Public Declare PtrSafe Function V_DBAH2SV Lib "Moistek.dll" (ByVal DB As Double, ByVal AH As Double) As Double
    Public Declare PtrSafe Function V_WBAH2DB Lib "Moistek.dll" (ByVal WB As Double, ByVal AH As Double) As Double
    Public Declare PtrSafe Function V_SVAH2DB Lib "Moistek.dll" (ByVal SV As Double, ByVal AH As Double) As Double
    Public Declare PtrSafe Function V_ENAH2DB Lib "Moistek.dll" (ByVal EN As Double, ByVal AH As Double) As Double
    Public Declare PtrSafe Function V_RHAH2DB Lib "Moistek.dll" (ByVal RH As Double, ByVal AH As Double) As Double
    Public Declare PtrSafe Function V_RHEN2DB Lib "Moistek.dll" (ByVal RH As Double, ByVal EN As Double) As Double
    Public Declare PtrSafe Function V_RHWB2DB Lib "Moistek.dll" (ByVal RH As Double, ByVal WB As Double) As Double
    Public Declare PtrSafe Function V_RHSV2DB Lib "Moistek.dll" (ByVal RH As Double, ByVal SV As Double) As Double
    Public Declare PtrSafe Function V_SVEN2DB Lib "Moistek.dll" (ByVal SV As Double, ByVal EN As Double) As Double
    Public Declare PtrSafe Function V_DBAH2RH Lib "Moistek.dll" (ByVal DB As Double, ByVal AH As Double) As Double
    Public Declare PtrSafe Function V_DBAH2RV Lib "Moistek.dll" (ByVal DB As Double, ByVal AH As Double) As Double
    Public Declare PtrSafe Function V_AH2DP Lib "Moistek.dll" (ByVal AH As Double) As Double
    Public Declare PtrSafe Function V_Ver Lib "Moistek.dll" () As String
#Else
    ' Spreadsheet programs before VBA 7 are 32-bit: the i686 DLL.
    Private Declare Function SetDllDirectoryA Lib "kernel32" (ByVal PathName As String) As Long
    Private Declare Function LoadLibraryA Lib "kernel32" (ByVal FileName As String) As Long
    Public Declare Function V_DB2PWS Lib "Moistek.dll" (ByVal DB As Double) As Double
    Public Declare Function V_PW2AH Lib "Moistek.dll" (ByVal PW As Double) As Double
    Public Declare Function V_ENDB2AH Lib "Moistek.dll" (ByVal EN As Double, ByVal DB As Double) As Double
    Public Declare Function V_DBWB2AH Lib "Moistek.dll" (ByVal DB As Double, ByVal WB As Double) As Double
    Public Declare Function V_DBSV2AH Lib "Moistek.dll" (ByVal DB As Double, ByVal SV As Double) As Double
    Public Declare Function V_SVWB2AH Lib "Moistek.dll" (ByVal SV As Double, ByVal WB As Double) As Double
    Public Declare Function V_DBRH2AH Lib "Moistek.dll" (ByVal DB As Double, ByVal RH As Double) As Double
    Public Declare Function V_DBAH2EN Lib "Moistek.dll" (ByVal DB As Double, ByVal AH As Double) As Double
    Public Declare Function V_DBAH2WB Lib "Moistek.dll" (ByVal DB As Double, ByVal AH As Double) As Double
    Public Declare Function V_DBAH2SV Lib "Moistek.dll" (ByVal DB As Double, ByVal AH As Double) As Double
    Public Declare Function V_WBAH2DB Lib "Moistek.dll" (ByVal WB As Double, ByVal AH As Double) As Double
    Public Declare Function V_SVAH2DB Lib "Moistek.dll" (ByVal SV As Double, ByVal AH As Double) As Double
    Public Declare Function V_ENAH2DB Lib "Moistek.dll" (ByVal EN As Double, ByVal AH As Double) As Double
    Public Declare Function V_RHAH2DB Lib "Moistek.dll" (ByVal RH As Double, ByVal AH As Double) As Double
    Public Declare Function V_RHEN2DB Lib "Moistek.dll" (ByVal RH As Double, ByVal EN As Double) As Double
    Public Declare Function V_RHWB2DB Lib "Moistek.dll" (ByVal RH As Double, ByVal WB As Double) As Double
    Public Declare Function V_RHSV2DB Lib "Moistek.dll" (ByVal RH As Double, ByVal SV As Double) As Double
    Public Declare Function V_SVEN2DB Lib "Moistek.dll" (ByVal SV As Double, ByVal EN As Double) As Double
    Public Declare Function V_DBAH2RH Lib "Moistek.dll" (ByVal DB As Double, ByVal AH As Double) As Double
    Public Declare Function V_DBAH2RV Lib "Moistek.dll" (ByVal DB As Double, ByVal AH As Double) As Double
    Public Declare Function V_AH2DP Lib "Moistek.dll" (ByVal AH As Double) As Double
    Public Declare Function V_Ver Lib "Moistek.dll" () As String
#End If

' Makes Moistek.dll in Folder the one the functions use: the folder joins the places Windows
' looks for DLLs by name (where V_Ver finds the library's version too) and the DLL is loaded.
' False when it cannot be loaded (missing, or built for the other bitness).
Public Function MoistekUse(ByVal Folder As String) As Boolean
    If Right$(Folder, 1) = "\" Then Folder = Left$(Folder, Len(Folder) - 1)
    SetDllDirectoryA Folder
    MoistekUse = LoadLibraryA(Folder & "\Moistek.dll") <> 0
End Function

' The library's version, "1.0.1.14"; empty when it cannot be read.
Public Function MoistekVersion() As String
    MoistekVersion = V_Ver()
End Function

' The plain functions for use in cells.
Public Function DB2PWS(ByVal DB As Double) As Double
    DB2PWS = V_DB2PWS(DB)
End Function
Public Function PW2AH(ByVal PW As Double) As Double
    PW2AH = V_PW2AH(PW)
End Function
Public Function ENDB2AH(ByVal EN As Double, ByVal DB As Double) As Double
    ENDB2AH = V_ENDB2AH(EN, DB)
End Function
Public Function DBWB2AH(ByVal DB As Double, ByVal WB As Double) As Double
    DBWB2AH = V_DBWB2AH(DB, WB)
End Function
Public Function DBSV2AH(ByVal DB As Double, ByVal SV As Double) As Double
    DBSV2AH = V_DBSV2AH(DB, SV)
End Function
Public Function SVWB2AH(ByVal SV As Double, ByVal WB As Double) As Double
    SVWB2AH = V_SVWB2AH(SV, WB)
End Function
Public Function DBRH2AH(ByVal DB As Double, ByVal RH As Double) As Double
    DBRH2AH = V_DBRH2AH(DB, RH)
End Function
Public Function DBAH2EN(ByVal DB As Double, ByVal AH As Double) As Double
    DBAH2EN = V_DBAH2EN(DB, AH)
End Function
Public Function DBAH2WB(ByVal DB As Double, ByVal AH As Double) As Double
    DBAH2WB = V_DBAH2WB(DB, AH)
End Function
Public Function DBAH2SV(ByVal DB As Double, ByVal AH As Double) As Double
    DBAH2SV = V_DBAH2SV(DB, AH)
End Function
Public Function WBAH2DB(ByVal WB As Double, ByVal AH As Double) As Double
    WBAH2DB = V_WBAH2DB(WB, AH)
End Function
Public Function SVAH2DB(ByVal SV As Double, ByVal AH As Double) As Double
    SVAH2DB = V_SVAH2DB(SV, AH)
End Function
Public Function ENAH2DB(ByVal EN As Double, ByVal AH As Double) As Double
    ENAH2DB = V_ENAH2DB(EN, AH)
End Function
Public Function RHAH2DB(ByVal RH As Double, ByVal AH As Double) As Double
    RHAH2DB = V_RHAH2DB(RH, AH)
End Function
Public Function RHEN2DB(ByVal RH As Double, ByVal EN As Double) As Double
    RHEN2DB = V_RHEN2DB(RH, EN)
End Function
Public Function RHWB2DB(ByVal RH As Double, ByVal WB As Double) As Double
    RHWB2DB = V_RHWB2DB(RH, WB)
End Function
Public Function RHSV2DB(ByVal RH As Double, ByVal SV As Double) As Double
    RHSV2DB = V_RHSV2DB(RH, SV)
End Function
Public Function SVEN2DB(ByVal SV As Double, ByVal EN As Double) As Double
    SVEN2DB = V_SVEN2DB(SV, EN)
End Function
Public Function DBAH2RH(ByVal DB As Double, ByVal AH As Double) As Double
    DBAH2RH = V_DBAH2RH(DB, AH)
End Function
Public Function DBAH2RV(ByVal DB As Double, ByVal AH As Double) As Double
    DBAH2RV = V_DBAH2RV(DB, AH)
End Function
Public Function AH2DP(ByVal AH As Double) As Double
    AH2DP = V_AH2DP(AH)
End Function
