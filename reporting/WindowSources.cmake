# Sources of the report windows (frmViewer, frmDate, the main window's report requests),
# compiled into tw_gui by tracking/CMakeLists.txt.
set(TW_REPORT_WINDOW_SOURCES
  ${PROJECT_SOURCE_DIR}/reporting/DefaultPrinter.cpp
  ${PROJECT_SOURCE_DIR}/reporting/DoubleClickFilter.cpp
  ${PROJECT_SOURCE_DIR}/reporting/PdfPrinter.cpp
  ${PROJECT_SOURCE_DIR}/reporting/PrintPlainText.cpp
  ${PROJECT_SOURCE_DIR}/reporting/QtSaveDialog.cpp
  ${PROJECT_SOURCE_DIR}/reporting/ReportTextView.cpp
  ${PROJECT_SOURCE_DIR}/reporting/SaveTextFile.cpp
  ${PROJECT_SOURCE_DIR}/reporting/frmDate.cpp
  ${PROJECT_SOURCE_DIR}/reporting/frmMainReports.cpp
  ${PROJECT_SOURCE_DIR}/reporting/frmViewer.cpp
)
