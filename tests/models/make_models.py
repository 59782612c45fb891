# Writes the small SAP2000 models the full conversion's rules are checked on
# (tests and the independent checkers read them). Run from this folder.
def table(name, rows):
    return 'TABLE:  "%s"\r\n' % name + ''.join('   %s\r\n' % r for r in rows) + ' \r\n'

HEAD = table("PROGRAM CONTROL", ['ProgramName=SAP2000   Version=25.0.0   CurrUnits="Kip, in, F"'])

def joints(points):
    return table("JOINT COORDINATES", ["Joint=%s   CoordSys=GLOBAL   CoordType=Cartesian   GlobalX=%g   GlobalY=%g   GlobalZ=%g" % (n, x, y, z)
                                       for n, (x, y, z) in points])

STEEL = table("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", ["Material=STEEL   UnitWeight=0.000284   UnitMass=7.3E-07   E1=29000   G12=11153.85   U12=0.3   A1=6.5E-06"])
SECTION = table("FRAME SECTION PROPERTIES 01 - GENERAL", ["SectionName=R   Material=STEEL   Shape=Rectangular   t3=12   t2=6   Area=72   TorsConst=636.5   I33=864   I22=216   AS2=60   AS3=60"])

def write(name, text):
    open(name, "w", newline="").write(HEAD + text + "END TABLE DATA\r\n")

# A cantilever with rigid end zones, loads on the flexible part and on both zones.
write("rigid-zones.s2k",
      joints([("1", (0, 0, 0)), ("2", (120, 0, 0))]) + STEEL + SECTION +
      table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=2"]) +
      table("FRAME SECTION ASSIGNMENTS", ["Frame=1   AnalSect=R"]) +
      table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"]) +
      table("FRAME OFFSET ALONG LENGTH ASSIGNMENTS", ["Frame=1   Type=User   LengthI=40   LengthJ=20   RigidFactor=0.5"]) +
      table("LOAD PATTERN DEFINITIONS", ["LoadPat=FLEX   DesignType=Other   SelfWtMult=0", "LoadPat=ZONES   DesignType=Other   SelfWtMult=0",
                                         "LoadPat=SPREAD   DesignType=Other   SelfWtMult=0"]) +
      table("FRAME LOADS - POINT", ["Frame=1   LoadPat=FLEX   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=AbsDist   RelDist=0.5   AbsDist=60   Force=10",
                                    "Frame=1   LoadPat=ZONES   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=AbsDist   RelDist=0.1   AbsDist=12   Force=10",
                                    "Frame=1   LoadPat=ZONES   CoordSys=GLOBAL   Type=Force   Dir=Y   DistType=AbsDist   RelDist=0.95   AbsDist=115   Force=4",
                                    "Frame=1   LoadPat=ZONES   CoordSys=Local   Type=Moment   Dir=2   DistType=AbsDist   RelDist=0.05   AbsDist=6   Moment=30"]) +
      table("FRAME LOADS - DISTRIBUTED", ["Frame=1   LoadPat=SPREAD   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=AbsDist   RelDistA=0   RelDistB=1   AbsDistA=0   AbsDistB=120   FOverLA=0.1   FOverLB=0.1",
                                          "Frame=1   LoadPat=SPREAD   CoordSys=Local   Type=Force   Dir=3   DistType=AbsDist   RelDistA=0.05   RelDistB=0.5   AbsDistA=6   AbsDistB=60   FOverLA=0.2   FOverLB=0.5"]))

# A triangle of frames in a model whose joints cannot turn (active UX UY UZ):
# the frames bend between their joints, so STAAD.Pro gets a space frame with
# the rotations held; released at both ends, the same frames make a truss.
TRIANGLE = (joints([("1", (0, 0, 0)), ("2", (200, 0, 0)), ("3", (100, 0, 150)), ("4", (100, 120, 0))]) + STEEL + SECTION +
            table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=3", "Frame=2   JointI=3   JointJ=2", "Frame=3   JointI=1   JointJ=2",
                                           "Frame=4   JointI=4   JointJ=3", "Frame=5   JointI=1   JointJ=4", "Frame=6   JointI=4   JointJ=2"]) +
            table("FRAME SECTION ASSIGNMENTS", ["Frame=%d   AnalSect=R" % k for k in range(1, 7)]) +
            table("ACTIVE DEGREES OF FREEDOM", ["UX=Yes   UY=Yes   UZ=Yes   RX=No   RY=No   RZ=No"]) +
            table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No",
                                                  "Joint=2   U1=No   U2=Yes   U3=Yes   R1=No   R2=No   R3=No",
                                                  "Joint=4   U1=No   U2=No   U3=Yes   R1=No   R2=No   R3=No"]) +
            table("LOAD PATTERN DEFINITIONS", ["LoadPat=TIP   DesignType=Other   SelfWtMult=0"]) +
            table("JOINT LOADS - FORCE", ["Joint=3   LoadPat=TIP   CoordSys=GLOBAL   F1=5   F2=3   F3=-20   M1=0   M2=0   M3=0"]) +
            table("FRAME LOADS - DISTRIBUTED", ["Frame=3   LoadPat=TIP   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=RelDist   RelDistA=0   RelDistB=1   AbsDistA=0   AbsDistB=200   FOverLA=0.05   FOverLB=0.05"]))
write("frames-without-rotations.s2k", TRIANGLE)
write("truss.s2k", TRIANGLE + table("FRAME RELEASE ASSIGNMENTS 1 - GENERAL",
      ["Frame=%d   PI=No   V2I=No   V3I=No   TI=No   M2I=Yes   M3I=Yes   PJ=No   V2J=No   V3J=No   TJ=Yes   M2J=Yes   M3J=Yes" % k for k in range(1, 7)]))

# Three columns tied at the top by a diaphragm: the master holds a support
# (a pinned top), and a second supported joint stays out of the slaves.
write("constraint-supports.s2k",
      joints([("1", (0, 0, 0)), ("2", (100, 0, 0)), ("3", (0, 80, 0)), ("4", (0, 0, 120)), ("5", (100, 0, 120)), ("6", (0, 80, 120))]) +
      STEEL + SECTION +
      table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=4", "Frame=2   JointI=2   JointJ=5", "Frame=3   JointI=3   JointJ=6"]) +
      table("FRAME SECTION ASSIGNMENTS", ["Frame=%d   AnalSect=R" % k for k in range(1, 4)]) +
      table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=%d   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes" % k for k in (1, 2, 3)] +
            ["Joint=5   U1=No   U2=Yes   U3=No   R1=No   R2=No   R3=No"]) +
      table("CONSTRAINT DEFINITIONS - DIAPHRAGM", ["Name=DIAPH1   CoordSys=GLOBAL   Axis=Z   MultiLevel=No"]) +
      table("JOINT CONSTRAINT ASSIGNMENTS", ["Joint=4   Constraint=DIAPH1   Type=Diaphragm", "Joint=5   Constraint=DIAPH1   Type=Diaphragm",
                                             "Joint=6   Constraint=DIAPH1   Type=Diaphragm"]) +
      table("LOAD PATTERN DEFINITIONS", ["LoadPat=PUSH   DesignType=Other   SelfWtMult=0"]) +
      table("JOINT LOADS - FORCE", ["Joint=4   LoadPat=PUSH   CoordSys=GLOBAL   F1=10   F2=0   F3=0   M1=0   M2=0   M3=0",
                                    "Joint=6   LoadPat=PUSH   CoordSys=GLOBAL   F1=0   F2=5   F3=-3   M1=0   M2=0   M3=0"]))

# A beam on a fixed support and a spring: the spring's ground moves (SAP2000
# moves the grounded end, so the joint moves less), the fixed support moves
# in a pattern of its own.
def spring_ground(plate):
    extra = [("3", (0, 50, 0)), ("4", (120, 50, 0))] if plate else []
    text = (joints([("1", (0, 0, 0)), ("2", (120, 0, 0))] + extra) + STEEL + SECTION +
            table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=2"]) +
            table("FRAME SECTION ASSIGNMENTS", ["Frame=1   AnalSect=R"]) +
            table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
                                                  "Joint=2   U1=Yes   U2=Yes   U3=No   R1=Yes   R2=No   R3=Yes"]) +
            table("JOINT SPRING ASSIGNMENTS 1 - UNCOUPLED", ["Joint=2   CoordSys=GLOBAL   U1=0   U2=0   U3=150   R1=0   R2=20000   R3=0"]) +
            table("LOAD PATTERN DEFINITIONS", ["LoadPat=SETTLE   DesignType=Other   SelfWtMult=0", "LoadPat=BASE   DesignType=Other   SelfWtMult=0"]) +
            table("JOINT LOADS - GROUND DISPLACEMENT", ["Joint=2   LoadPat=SETTLE   CoordSys=GLOBAL   U1=0   U2=0   U3=-0.2   R1=0   R2=0.001   R3=0",
                                                        "Joint=1   LoadPat=BASE   CoordSys=GLOBAL   U1=0   U2=0   U3=-0.1   R1=0   R2=0   R3=0"] +
                  (["Joint=2   LoadPat=BASE   CoordSys=GLOBAL   U1=0.01   U2=0   U3=0   R1=0   R2=0   R3=0"] if plate else [])))
    if plate:
        text += (table("CONNECTIVITY - AREA", ["Area=1   NumJoints=4   Joint1=1   Joint2=2   Joint3=4   Joint4=3"]) +
                 table("AREA SECTION PROPERTIES", ["Section=S   Material=STEEL   AreaType=Shell   Type=Shell-Thin   Thickness=1"]) +
                 table("AREA SECTION ASSIGNMENTS", ["Area=1   Section=S"]))
    return text

write("spring-ground.s2k", spring_ground(False))
# The same with a plate: STAAD.Pro's load mode takes no finite elements.
write("spring-ground-plate.s2k", spring_ground(True))

# A cantilever column with a mass at its tip (f = sqrt(3EI/mL^3)/2pi), the
# column's own mass left out of the mass source.
write("tip-mass.s2k",
      joints([("1", (0, 0, 0)), ("2", (0, 0, 144))]) + STEEL + SECTION +
      table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=2"]) +
      table("FRAME SECTION ASSIGNMENTS", ["Frame=1   AnalSect=R"]) +
      table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"]) +
      table("LOAD PATTERN DEFINITIONS", ["LoadPat=DEAD   DesignType=Dead   SelfWtMult=1"]) +
      table("MASS SOURCE", ["MassSource=MSSSRC1   Elements=No   Masses=Yes   Loads=No   IsDefault=Yes"]) +
      table("JOINT ADDED MASS ASSIGNMENTS", ["Joint=2   CoordSys=GLOBAL   Mass1=0.5   Mass2=0.5   Mass3=0.5   MMI1=0   MMI2=0   MMI3=0"]) +
      table("LOAD CASE DEFINITIONS", ["Case=DEAD   Type=LinStatic   InitialCond=Zero", "Case=MODAL   Type=LinModal   InitialCond=Zero"]) +
      table("CASE - MODAL 1 - GENERAL", ["Case=MODAL   ModeType=Eigen   MaxNumModes=3   MinNumModes=1"]))

# A two-storey shear frame along Y: rigid beams, joint masses given in the
# joints' own axes (axis 1 along global Y), and the columns' own mass.
write("shear-frame.s2k",
      joints([("1", (0, 0, 0)), ("2", (0, 200, 0)), ("3", (0, 0, 120)), ("4", (0, 200, 120)), ("5", (0, 0, 240)), ("6", (0, 200, 240))]) +
      STEEL +
      table("FRAME SECTION PROPERTIES 01 - GENERAL", ["SectionName=R   Material=STEEL   Shape=Rectangular   t3=12   t2=6   Area=72   TorsConst=636.5   I33=864   I22=216   AS2=60   AS3=60",
                                                     "SectionName=STIFF   Material=STEEL   Shape=Rectangular   t3=60   t2=60   Area=3600   TorsConst=2000000   I33=1080000   I22=1080000   AS2=3000   AS3=3000"]) +
      table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=3", "Frame=2   JointI=2   JointJ=4", "Frame=3   JointI=3   JointJ=5",
                                     "Frame=4   JointI=4   JointJ=6", "Frame=5   JointI=3   JointJ=4", "Frame=6   JointI=5   JointJ=6"]) +
      table("FRAME SECTION ASSIGNMENTS", ["Frame=%d   AnalSect=R" % k for k in range(1, 5)] + ["Frame=5   AnalSect=STIFF", "Frame=6   AnalSect=STIFF"]) +
      table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes", "Joint=2   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"]) +
      table("JOINT LOCAL AXES ASSIGNMENTS 1 - TYPICAL", ["Joint=%d   AngleA=90   AngleB=0   AngleC=0" % k for k in (3, 4, 5, 6)]) +
      table("LOAD PATTERN DEFINITIONS", ["LoadPat=DEAD   DesignType=Dead   SelfWtMult=1"]) +
      table("MASS SOURCE", ["MassSource=MSSSRC1   Elements=Yes   Masses=Yes   Loads=No   IsDefault=Yes"]) +
      table("JOINT ADDED MASS ASSIGNMENTS", ['Joint=%d   CoordSys="Joint Local"   Mass1=0.2   Mass2=0.05   Mass3=0.01   MMI1=0   MMI2=0   MMI3=0' % k for k in (3, 4, 5, 6)]) +
      table("LOAD CASE DEFINITIONS", ["Case=DEAD   Type=LinStatic   InitialCond=Zero", "Case=MODAL   Type=LinModal   InitialCond=Zero"]) +
      table("CASE - MODAL 1 - GENERAL", ["Case=MODAL   ModeType=Eigen   MaxNumModes=6   MinNumModes=1"]))

# The tip-mass column under a user spectrum along X and Y, combined by the
# square root of the sum of squares.
write("ground-shaking.s2k",
      joints([("1", (0, 0, 0)), ("2", (0, 0, 144))]) + STEEL + SECTION +
      table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=2"]) +
      table("FRAME SECTION ASSIGNMENTS", ["Frame=1   AnalSect=R"]) +
      table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"]) +
      table("LOAD PATTERN DEFINITIONS", ["LoadPat=DEAD   DesignType=Dead   SelfWtMult=1"]) +
      table("MASS SOURCE", ["MassSource=MSSSRC1   Elements=No   Masses=Yes   Loads=No   IsDefault=Yes"]) +
      table("JOINT ADDED MASS ASSIGNMENTS", ["Joint=2   CoordSys=GLOBAL   Mass1=0.5   Mass2=0.5   Mass3=0.5   MMI1=0   MMI2=0   MMI3=0"]) +
      table("LOAD CASE DEFINITIONS", ["Case=DEAD   Type=LinStatic   InitialCond=Zero", "Case=MODAL   Type=LinModal   InitialCond=Zero",
                                      "Case=RSXY   Type=LinRespSpec   ModalCase=MODAL"]) +
      table("CASE - MODAL 1 - GENERAL", ["Case=MODAL   ModeType=Eigen   MaxNumModes=3   MinNumModes=1"]) +
      table("CASE - RESPONSE SPECTRUM 1 - GENERAL", ["Case=RSXY   ModalCombo=CQC   DirCombo=SRSS   ConstDamp=0.04"]) +
      table("CASE - RESPONSE SPECTRUM 2 - LOAD ASSIGNMENTS", ["Case=RSXY   LoadName=U1   CoordSys=GLOBAL   Function=USERRS   Angle=0   TransAccSF=386.09",
                                                              "Case=RSXY   LoadName=U2   CoordSys=GLOBAL   Function=USERRS   Angle=0   TransAccSF=386.09"]) +
      table("FUNCTION - RESPONSE SPECTRUM - USER", ["Name=USERRS   Period=%g   Accel=%g   FuncDamp=0.05" % (t, a) for t, a in
                                                    [(0, 0.4), (0.1, 1), (0.5, 1), (1, 0.6), (2, 0.3), (3, 0.2), (4, 0.15), (5, 0.12), (6, 0.1), (8, 0.07), (10, 0.05)]]))

# A portal whose beam has every stiffness modifier 0 (a dummy that only
# carries its loads to the column tops), loaded along its span and by its
# own weight.
DUMMY = (joints([("1", (0, 0, 0)), ("2", (0, 0, 120)), ("3", (200, 0, 120)), ("4", (200, 0, 0))]) + STEEL + SECTION +
         table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=2", "Frame=2   JointI=4   JointJ=3", "Frame=3   JointI=2   JointJ=3"]) +
         table("FRAME SECTION ASSIGNMENTS", ["Frame=%d   AnalSect=R" % k for k in range(1, 4)]) +
         table("FRAME PROPERTY MODIFIERS", ["Frame=3   AMod=0   AS2Mod=0   AS3Mod=0   JMod=0   I22Mod=0   I33Mod=0   MassMod=1   WeightMod=1"]) +
         table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=%d   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes" % k for k in (1, 4)]) +
         table("LOAD PATTERN DEFINITIONS", ["LoadPat=DEAD   DesignType=Dead   SelfWtMult=1", "LoadPat=SPAN   DesignType=Other   SelfWtMult=0"]) +
         table("FRAME LOADS - POINT", ["Frame=3   LoadPat=SPAN   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=AbsDist   RelDist=0.25   AbsDist=50   Force=8",
                                       "Frame=3   LoadPat=SPAN   CoordSys=Local   Type=Moment   Dir=3   DistType=AbsDist   RelDist=0.5   AbsDist=100   Moment=40"]) +
         table("FRAME LOADS - DISTRIBUTED", ["Frame=3   LoadPat=SPAN   CoordSys=GLOBAL   Type=Force   Dir=X   DistType=AbsDist   RelDistA=0.2   RelDistB=0.9   AbsDistA=40   AbsDistB=180   FOverLA=0.05   FOverLB=0.15",
                                             "Frame=3   LoadPat=SPAN   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=RelDist   RelDistA=0   RelDistB=1   AbsDistA=0   AbsDistB=200   FOverLA=0.02   FOverLB=0.02"]))
write("dummy-member.s2k", DUMMY)

# Orthotropic materials: a cantilever twisted and bent (a member takes E1
# and G12), and plates whose material axis 1 runs along their first edge.
ORTHO = table("MATERIAL PROPERTIES 01 - GENERAL", ["Material=WOOD   Type=Other   SymType=Orthotropic   TempDepend=No"]) + \
        table("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES",
              ["Material=WOOD   UnitWeight=0.0001   UnitMass=2.6E-07   E1=30000   E2=15000   E3=15000   G12=6600   G13=5000   G23=4000   U12=0.2   U13=0.2   U23=0.25   A1=5E-06   A2=8E-06   A3=8E-06"])
write("ortho-frame.s2k",
      joints([("1", (0, 0, 0)), ("2", (120, 0, 0))]) + ORTHO +
      table("FRAME SECTION PROPERTIES 01 - GENERAL", ["SectionName=R   Material=WOOD   Shape=Rectangular   t3=12   t2=6   Area=72   TorsConst=636.5   I33=864   I22=216   AS2=60   AS3=60"]) +
      table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=2"]) +
      table("FRAME SECTION ASSIGNMENTS", ["Frame=1   AnalSect=R"]) +
      table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"]) +
      table("LOAD PATTERN DEFINITIONS", ["LoadPat=TIP   DesignType=Other   SelfWtMult=0"]) +
      table("JOINT LOADS - FORCE", ["Joint=2   LoadPat=TIP   CoordSys=GLOBAL   F1=0   F2=2   F3=-5   M1=100   M2=0   M3=0"]))
write("ortho-plate.s2k",
      joints([("1", (0, 0, 0)), ("2", (60, 0, 0)), ("3", (60, 40, 0)), ("4", (0, 40, 0)),
              ("5", (0, 0, 10)), ("6", (0, 40, 10))]) + ORTHO +
      table("AREA SECTION PROPERTIES", ["Section=PLY   Material=WOOD   MatAng=0   AreaType=Shell   Type=Shell-Thin   Thickness=1   BendThick=1",
                                        "Section=SKEW   Material=WOOD   MatAng=30   AreaType=Shell   Type=Shell-Thin   Thickness=1   BendThick=1"]) +
      table("CONNECTIVITY - AREA", ["Area=1   NumJoints=4   Joint1=1   Joint2=2   Joint3=3   Joint4=4",
                                    "Area=2   NumJoints=4   Joint1=1   Joint2=4   Joint3=6   Joint4=5"]) +
      table("AREA SECTION ASSIGNMENTS", ["Area=1   Section=PLY", "Area=2   Section=PLY"]) +
      table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=%d   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes" % k for k in (1, 4)]) +
      table("LOAD PATTERN DEFINITIONS", ["LoadPat=PRESS   DesignType=Other   SelfWtMult=0"]) +
      table("AREA LOADS - UNIFORM", ["Area=1   LoadPat=PRESS   CoordSys=GLOBAL   Dir=Gravity   UnifLoad=0.01"]))
# A wall in the X-Z plane (corners 1 2 3 4, held along its left edge 1-4)
# and a triangle 2 5 3 beside it, with pressures on their edges: SAP2000's
# face k is the edge from corner k to the next; a positive pressure pushes
# into the area, in its plane. Pressures on a triangle's fourth edge and by
# joint pattern are left out.
EDGE_WALL = (joints([("1", (0, 0, 0)), ("2", (100, 0, 0)), ("3", (100, 0, 60)), ("4", (0, 0, 60)), ("5", (160, 0, 0))]) + STEEL +
             table("CONNECTIVITY - AREA", ["Area=1   NumJoints=4   Joint1=1   Joint2=2   Joint3=3   Joint4=4",
                                           "Area=2   NumJoints=3   Joint1=2   Joint2=5   Joint3=3"]) +
             table("AREA SECTION PROPERTIES", ["Section=WALL   Material=STEEL   AreaType=Shell   Type=Shell-Thin   Thickness=2   BendThick=2"]) +
             table("AREA SECTION ASSIGNMENTS", ["Area=1   Section=WALL", "Area=2   Section=WALL"]) +
             table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=%d   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes" % k for k in (1, 4)]) +
             table("LOAD PATTERN DEFINITIONS", ["LoadPat=%s   DesignType=Other   SelfWtMult=0" % p for p in ("EDGE2", "EDGE3", "TRIANGLE", "OTHER")]) +
             table("AREA LOADS - SURFACE PRESSURE", ["Area=1   LoadPat=EDGE2   Face=2   Pressure=0.5   JtPattern=None",
                                                     "Area=1   LoadPat=EDGE3   Face=3   Pressure=-0.2   JtPattern=None",
                                                     "Area=2   LoadPat=TRIANGLE   Face=3   Pressure=1   JtPattern=None",
                                                     "Area=2   LoadPat=OTHER   Face=4   Pressure=1   JtPattern=None",
                                                     "Area=1   LoadPat=OTHER   Face=1   Pressure=1   JtPattern=EDGES"]))
write("edge-pressure.s2k", EDGE_WALL)
# The same wall meshed 2 x 3: each edge's force spread over its pieces.
write("edge-pressure-meshed.s2k", EDGE_WALL +
      table("AREA AUTO MESH ASSIGNMENTS", ['Area=1   MeshType="Number of Elements"   Number1=2   Number2=3   SuppEdge=No   SuppFace=No   SubMesh=No']))

# A cantilever (section 12 deep along local 2, 6 wide along 3) and a plate
# 2 thick, warmed by gradients and by a joint pattern (1 at joint 1, 3 at
# joint 2: the member's mean is 2).
write("temperature-gradient.s2k",
      joints([("1", (0, 0, 0)), ("2", (120, 0, 0)), ("3", (0, 50, 0)), ("4", (120, 50, 0)), ("5", (120, 100, 0)), ("6", (0, 100, 0))]) +
      STEEL + SECTION +
      table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=2"]) +
      table("FRAME SECTION ASSIGNMENTS", ["Frame=1   AnalSect=R"]) +
      table("CONNECTIVITY - AREA", ["Area=1   NumJoints=4   Joint1=3   Joint2=4   Joint3=5   Joint4=6"]) +
      table("AREA SECTION PROPERTIES", ["Section=PLATE   Material=STEEL   AreaType=Shell   Type=Shell-Thin   Thickness=2   BendThick=2"]) +
      table("AREA SECTION ASSIGNMENTS", ["Area=1   Section=PLATE"]) +
      table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=%d   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes" % k for k in (1, 3, 6)]) +
      table("JOINT PATTERN DEFINITIONS", ["Pattern=Default", "Pattern=WARM"]) +
      table("JOINT PATTERN ASSIGNMENTS", ["Joint=1   Pattern=WARM   Value=1", "Joint=2   Pattern=WARM   Value=3"]) +
      table("LOAD PATTERN DEFINITIONS", ["LoadPat=%s   DesignType=Other   SelfWtMult=0" % p for p in ("G2", "G3", "WARM", "BOTH", "PLATE")]) +
      table("FRAME LOADS - TEMPERATURE", ['Frame=1   LoadPat=G2   Type="Temperature Gradient 2"   Temp=0.5   JtPattern=None',
                                          'Frame=1   LoadPat=G3   Type="Temperature Gradient 3"   Temp=0.5   JtPattern=None',
                                          'Frame=1   LoadPat=WARM   Type=Temperature   Temp=10   JtPattern=WARM',
                                          'Frame=1   LoadPat=BOTH   Type=Temperature   Temp=30   JtPattern=None',
                                          'Frame=1   LoadPat=BOTH   Type="Temperature Gradient 2"   Temp=-0.25   JtPattern=None']) +
      table("AREA LOADS - TEMPERATURE", ['Area=1   LoadPat=PLATE   Type="Temperature Gradient"   Temp=0.1   JtPattern=None']))

# A column meshed into four segments beside a plate meshed 2 x 3 with its
# edge supports: the analysis model the window's picture shows meshed.
write("meshed-column-and-plate.s2k",
      joints([("1", (0, 0, 0)), ("2", (0, 0, 120)), ("3", (60, 0, 0)), ("4", (150, 0, 0)), ("5", (150, 60, 0)), ("6", (60, 60, 0))]) +
      STEEL + SECTION +
      table("AREA SECTION PROPERTIES", ["Section=PL   Material=STEEL   AreaType=Shell   Type=Shell-Thin   Thickness=1   BendThick=1"]) +
      table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=2"]) +
      table("FRAME SECTION ASSIGNMENTS", ["Frame=1   AnalSect=R"]) +
      table("FRAME AUTO MESH ASSIGNMENTS", ["Frame=1   AutoMesh=Yes   AtJoints=No   AtFrames=No   NumSegments=4   MaxLength=0   MaxDegrees=0"]) +
      table("CONNECTIVITY - AREA", ["Area=1   NumJoints=4   Joint1=3   Joint2=4   Joint3=5   Joint4=6"]) +
      table("AREA SECTION ASSIGNMENTS", ["Area=1   Section=PL"]) +
      table("AREA AUTO MESH ASSIGNMENTS",
            ['Area=1   MeshType="Number of Elements"   MeshGroup=ALL   Number1=2   Number2=3   LocalEdge=No   LocalFace=No   SuppEdge=Yes   SuppFace=No   SubMesh=No']) +
      table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=%d   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes" % k for k in (1, 3, 6)]) +
      table("LOAD PATTERN DEFINITIONS", ["LoadPat=DEAD   DesignType=Dead   SelfWtMult=1", "LoadPat=LIVE   DesignType=Live   SelfWtMult=0"]) +
      table("JOINT LOADS - FORCE", ["Joint=2   LoadPat=LIVE   CoordSys=GLOBAL   F1=2   F2=0   F3=-5   M1=0   M2=0   M3=0",
                                    "Joint=5   LoadPat=LIVE   CoordSys=GLOBAL   F1=0   F2=0   F3=-3   M1=0   M2=0   M3=0"]))
# Frames meshed where they meet other frames, and the same models with the
# meeting joints put in and the frames meshed at joints (the equivalence
# checker judges those; the converter must write the same file for both).
# Two beams crossing at mid-span, both meshed at frames, one loaded.
def crossing(explicit):
    mesh = "AtJoints=Yes   AtFrames=No" if explicit else "AtJoints=No   AtFrames=Yes"
    return (joints([("1", (0, 0, 0)), ("2", (240, 0, 0)), ("3", (120, -120, 0)), ("4", (120, 120, 0))] +
                   ([("5", (120, 0, 0))] if explicit else [])) + STEEL + SECTION +
            table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=2", "Frame=2   JointI=3   JointJ=4"]) +
            table("FRAME SECTION ASSIGNMENTS", ["Frame=1   AnalSect=R", "Frame=2   AnalSect=R"]) +
            table("FRAME AUTO MESH ASSIGNMENTS", ["Frame=%d   AutoMesh=Yes   %s   NumSegments=0   MaxLength=0   MaxDegrees=0" % (k, mesh) for k in (1, 2)]) +
            table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=%d   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes" % k for k in (1, 2, 3, 4)]) +
            table("LOAD PATTERN DEFINITIONS", ["LoadPat=CROSS   DesignType=Other   SelfWtMult=0"]) +
            table("FRAME LOADS - POINT", ["Frame=1   LoadPat=CROSS   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=RelDist   RelDist=0.25   AbsDist=60   Force=10"]) +
            table("FRAME LOADS - DISTRIBUTED", ["Frame=1   LoadPat=CROSS   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=RelDist   RelDistA=0.4   RelDistB=0.8   AbsDistA=96   AbsDistB=192   FOverLA=0.1   FOverLB=0.3"]))

write("frames-crossing.s2k", crossing(False))
write("frames-crossing-joint.s2k", crossing(True))

# A beam meshed at frames (1) crosses a beam meshed at joints (2) and a beam
# meshed in three segments only (3), and meets a post (4) that stands under
# its span; beam 2 is split where beam 1 crosses it, beam 3 is not.
def meetings(explicit):
    mesh1 = "AtJoints=Yes   AtFrames=No" if explicit else "AtJoints=No   AtFrames=Yes"
    extra = [("11", (60, 0, 0)), ("12", (120, 0, 0))] if explicit else []
    return (joints([("1", (0, 0, 0)), ("2", (240, 0, 0)), ("3", (120, -120, 0)), ("4", (120, 120, 0)), ("5", (60, -60, 0)), ("6", (60, 60, 0)),
                    ("9", (180, 0, 0)), ("10", (180, 0, -120))] + extra) + STEEL + SECTION +
            table("CONNECTIVITY - FRAME", ["Frame=1   JointI=1   JointJ=2", "Frame=2   JointI=3   JointJ=4", "Frame=3   JointI=5   JointJ=6",
                                           "Frame=4   JointI=10   JointJ=9"]) +
            table("FRAME SECTION ASSIGNMENTS", ["Frame=%d   AnalSect=R" % k for k in range(1, 5)]) +
            table("FRAME AUTO MESH ASSIGNMENTS", ["Frame=1   AutoMesh=Yes   %s   NumSegments=0   MaxLength=0   MaxDegrees=0" % mesh1,
                                                  "Frame=2   AutoMesh=Yes   AtJoints=Yes   AtFrames=No   NumSegments=0   MaxLength=0   MaxDegrees=0",
                                                  "Frame=3   AutoMesh=Yes   AtJoints=No   AtFrames=No   NumSegments=3   MaxLength=0   MaxDegrees=0"]) +
            table("JOINT RESTRAINT ASSIGNMENTS", ["Joint=%d   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes" % k for k in (1, 2, 3, 4, 5, 6, 10)]) +
            table("LOAD PATTERN DEFINITIONS", ["LoadPat=MEET   DesignType=Other   SelfWtMult=0"]) +
            table("FRAME LOADS - POINT", ["Frame=1   LoadPat=MEET   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=RelDist   RelDist=0.625   AbsDist=150   Force=10",
                                          "Frame=3   LoadPat=MEET   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=RelDist   RelDist=0.75   AbsDist=90   Force=4"]) +
            table("FRAME LOADS - DISTRIBUTED", ["Frame=1   LoadPat=MEET   CoordSys=GLOBAL   Type=Force   Dir=Y   DistType=RelDist   RelDistA=0   RelDistB=1   AbsDistA=0   AbsDistB=240   FOverLA=0.02   FOverLB=0.02"]))

write("frames-meeting.s2k", meetings(False))
write("frames-meeting-joints.s2k", meetings(True))
