#!/usr/bin/env python3
"""Writes reseau_yed.graphml in the shape yEd saves a network drawn by hand:
each node's place only in a y:ShapeNode's y:Geometry (its top-left corner
and size, y pointing down), its number in a y:NodeLabel, edges directed as
yEd always writes them, and yEd's other keys and styles around them.

    python3 reseau_yed.py
"""
# id, label, top-left corner of a 30 x 30 ellipse
NOEUDS = [("n0", "2", 85, 15), ("n1", "0", -15, -15), ("n2", "1", 185, 85), ("n3", "3", 85, 185)]
ARETES = [("n0", "n1"), ("n0", "n2"), ("n1", "n3")]

ENTETE = """<?xml version="1.0" encoding="UTF-8" standalone="no"?>
<graphml xmlns="http://graphml.graphdrawing.org/xmlns" xmlns:java="http://www.yworks.com/xml/yfiles-common/1.0/java" xmlns:sys="http://www.yworks.com/xml/yfiles-common/markup/primitives/2.0" xmlns:x="http://www.yworks.com/xml/yfiles-common/markup/2.0" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xmlns:y="http://www.yworks.com/xml/graphml" xmlns:yed="http://www.yworks.com/xml/yed/3" xsi:schemaLocation="http://graphml.graphdrawing.org/xmlns http://www.yworks.com/xml/schema/graphml/1.1/ygraphml.xsd">
  <!--Created by yEd 3.23.2-->
  <key for="port" id="d0" yfiles.type="portgraphics"/>
  <key for="port" id="d1" yfiles.type="portgeometry"/>
  <key for="port" id="d2" yfiles.type="portuserdata"/>
  <key attr.name="url" attr.type="string" for="node" id="d3"/>
  <key attr.name="description" attr.type="string" for="node" id="d4"/>
  <key for="node" id="d5" yfiles.type="nodegraphics"/>
  <key for="graphml" id="d6" yfiles.type="resources"/>
  <key attr.name="url" attr.type="string" for="edge" id="d7"/>
  <key attr.name="description" attr.type="string" for="edge" id="d8"/>
  <key for="edge" id="d9" yfiles.type="edgegraphics"/>
  <graph edgedefault="directed" id="G">
"""
NOEUD = """    <node id="{id}">
      <data key="d5">
        <y:ShapeNode>
          <y:Geometry height="30.0" width="30.0" x="{x}.0" y="{y}.0"/>
          <y:Fill color="#FFCC00" transparent="false"/>
          <y:BorderStyle color="#000000" raised="false" type="line" width="1.0"/>
          <y:NodeLabel alignment="center" autoSizePolicy="content" fontFamily="Dialog" fontSize="12" fontStyle="plain" hasBackgroundColor="false" hasLineColor="false" height="17.96875" horizontalTextPosition="center" iconTextGap="4" modelName="custom" textColor="#000000" verticalTextPosition="bottom" visible="true" width="7.55078125" x="11.224609375" xml:space="preserve" y="6.015625">{label}<y:LabelModel><y:SmartNodeLabelModel distance="4.0"/></y:LabelModel><y:ModelParameter><y:SmartNodeLabelModelParameter labelRatioX="0.0" labelRatioY="0.0" nodeRatioX="0.0" nodeRatioY="0.0" offsetX="0.0" offsetY="0.0" upX="0.0" upY="-1.0"/></y:ModelParameter></y:NodeLabel>
          <y:Shape type="ellipse"/>
        </y:ShapeNode>
      </data>
    </node>
"""
ARETE = """    <edge id="e{k}" source="{s}" target="{t}">
      <data key="d9">
        <y:PolyLineEdge>
          <y:Path sx="0.0" sy="0.0" tx="0.0" ty="0.0"/>
          <y:LineStyle color="#000000" type="line" width="1.0"/>
          <y:Arrows source="none" target="none"/>
          <y:BendStyle smoothed="false"/>
        </y:PolyLineEdge>
      </data>
    </edge>
"""
FIN = """  </graph>
  <data key="d6">
    <y:Resources/>
  </data>
</graphml>
"""

with open("reseau_yed.graphml", "w") as f:
    f.write(ENTETE)
    for i, l, x, y in NOEUDS:
        f.write(NOEUD.format(id=i, label=l, x=x, y=y))
    for k, (s, t) in enumerate(ARETES):
        f.write(ARETE.format(k=k, s=s, t=t))
    f.write(FIN)
