# The demonstration projects: the files shipped (relative to the folder "demoproj", in the order
# the setup program copies them; the two project databases are built, never committed) and the
# translations of each project with the script each one is imported from and written to.
set(QMK_DEMO_SOURCES
  demo.rc resource.h options.dlg usa.bmp
  french/fdemo.rc french/french.bmp german/gdemo.rc german/german.bmp
  greek/grdemo.rc russia/rdemo.rc
  asiademo.rc Jap/japdemo.rc Jap/japan.bmp Kor/kordemo.rc Kor/korea.bmp)
set(QMK_DEMO_DATABASES demo_rc.mdb asiademo_rc.mdb)

# <script>|<language>|<translated script>, one entry per translation.
set(QMK_DEMO_TRANSLATIONS
  "demo.rc|German|german/gdemo.rc"
  "demo.rc|French|french/fdemo.rc"
  "demo.rc|Greek|greek/grdemo.rc"
  "demo.rc|Russian|russia/rdemo.rc"
  "asiademo.rc|Japanese|Jap/japdemo.rc"
  "asiademo.rc|Korean|Kor/kordemo.rc")
