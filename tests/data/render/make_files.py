#!/usr/bin/env python3
"""Writes the small models and images of the render tests (run from this folder)."""
import struct
import zlib


def write_png(name, width, height, pixel):
    rows = b"".join(
        b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
    with open(name, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def crate(x, y):
    # Planks with a dark frame and a diagonal brace.
    edge = min(x, y, 63 - x, 63 - y)
    if edge < 6 or abs(x - y) < 5:
        return (92, 58, 24)
    shade = 150 + (y // 12 % 2) * 25 + (x * 7 % 11)
    return (shade, int(shade * 0.68), int(shade * 0.35))


def ground(x, y):
    # Grass in two tones, one checker per 16 texels.
    light = (x // 16 + y // 16) % 2 == 0
    noise = (x * 31 + y * 17) % 9
    return (70 + noise, 150 + noise * 2, 60) if light else (58 + noise, 128 + noise * 2, 52)


def stripes(x, y):
    # Yellow and brown bands along v, so bending shows in the texture.
    return (235, 190, 60) if (y // 8) % 2 == 0 else (140, 70, 30)


write_png("crate.png", 64, 64, crate)
write_png("ground.png", 128, 128, ground)
write_png("two_bones.png", 64, 64, stripes)


# A unit cube with one texture square per face.
CUBE_FACES = [  # corners (x, y, z bits) counter-clockwise from outside, and the normal
    ((0, 4, 6, 2), (-1, 0, 0)), ((1, 3, 7, 5), (1, 0, 0)), ((0, 1, 5, 4), (0, -1, 0)),
    ((2, 6, 7, 3), (0, 1, 0)), ((0, 2, 3, 1), (0, 0, -1)), ((4, 5, 7, 6), (0, 0, 1))]


def write_crate():
    lines = ["mtllib crate.mtl", "o crate"]
    lines += ["v %d %d %d" % (i & 1, (i >> 1) & 1, (i >> 2) & 1) for i in range(8)]
    lines += ["vt 0 0", "vt 1 0", "vt 1 1", "vt 0 1"]
    lines += ["vn %d %d %d" % normal for _, normal in CUBE_FACES]
    lines.append("usemtl crate")
    for f, (corners, _) in enumerate(CUBE_FACES):
        lines.append("f " + " ".join("%d/%d/%d" % (c + 1, k + 1, f + 1) for k, c in enumerate(corners)))
    open("crate.obj", "w").write("\n".join(lines) + "\n")
    open("crate.mtl", "w").write("newmtl crate\nKd 1 1 1\nmap_Kd crate.png\n")


def write_ground():
    lines = ["mtllib ground.mtl", "o ground",
             "v -300 0 -300", "v 1700 0 -300", "v 1700 0 1700", "v -300 0 1700",
             "vt 0 0", "vt 10 0", "vt 10 10", "vt 0 10", "vn 0 1 0", "usemtl ground",
             "f 1/1/1 4/4/1 3/3/1 2/2/1"]
    open("ground.obj", "w").write("\n".join(lines) + "\n")
    open("ground.mtl", "w").write("newmtl ground\nKd 1 1 1\nmap_Kd ground.png\n")


# Two-bone COLLADA: a four-sided column from y = 0 to 2 (rings at y = 0, 1, 2). Bone "Root" sits at the
# origin and holds the bottom ring; bone "Tip" sits at its joint (0, 1, 0) and holds the middle and
# top rings. The animation turns Tip about z: 0 degrees at 0 s, 90 at 0.02 s, 0 at 0.04 s (the game
# plays 20 ticks a second and Assimp counts milliseconds, so this loop lasts 2 s in the game).
RADIUS = 0.25


def floats(values):
    return " ".join("%g" % v for v in values)


def ring_point(ring, k):
    x, z = [(RADIUS, 0), (0, RADIUS), (-RADIUS, 0), (0, -RADIUS)][k]
    return (x, float(ring), z)


def turn_z(degrees, ty):
    import math
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    c, s = round(c, 6), round(s, 6)
    return [c, -s, 0, 0, s, c, 0, ty, 0, 0, 1, 0, 0, 0, 0, 1]


def write_two_bones():
    positions = [p for ring in range(3) for k in range(4) for p in ring_point(ring, k)]
    side_normals = [(0.7071, 0, 0.7071), (-0.7071, 0, 0.7071), (-0.7071, 0, -0.7071), (0.7071, 0, -0.7071)]
    normals = [n for normal in side_normals + [(0, -1, 0), (0, 1, 0)] for n in normal]
    uvs = [0, 0, 0, 0.5, 0, 1, 1, 0, 1, 0.5, 1, 1]  # (u, ring / 2) for u in 0, 1
    triangles = []  # (position, normal, uv) per corner

    def uv(u, ring):
        return u * 3 + ring

    for ring in range(2):
        for k in range(4):
            a, b = ring * 4 + k, ring * 4 + (k + 1) % 4
            c, d = b + 4, a + 4
            triangles += [(a, k, uv(0, ring)), (c, k, uv(1, ring + 1)), (b, k, uv(1, ring)),
                          (a, k, uv(0, ring)), (d, k, uv(0, ring + 1)), (c, k, uv(1, ring + 1))]
    triangles += [(0, 4, 0), (2, 4, 0), (1, 4, 0), (0, 4, 0), (3, 4, 0), (2, 4, 0)]  # bottom cap
    triangles += [(8, 5, 2), (9, 5, 2), (10, 5, 2), (8, 5, 2), (10, 5, 2), (11, 5, 2)]  # top cap
    indices = " ".join("%d %d %d" % corner for corner in triangles)

    # Bottom ring on Root (joint 0), the rest on Tip (joint 1); weight 1 each.
    vcount = " ".join("1" for _ in range(12))
    weights_v = " ".join("%d 0" % (0 if v < 4 else 1) for v in range(12))

    identity = [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]
    tip_bind_inverse = [1, 0, 0, 0, 0, 1, 0, -1, 0, 0, 1, 0, 0, 0, 0, 1]
    key_times = [0, 0.02, 0.04]
    key_matrices = turn_z(0, 1) + turn_z(90, 1) + turn_z(0, 1)

    dae = f"""<?xml version="1.0" encoding="utf-8"?>
<COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1">
  <asset><unit name="meter" meter="1"/><up_axis>Y_UP</up_axis></asset>
  <library_images>
    <image id="stripes-image" name="stripes-image"><init_from>two_bones.png</init_from></image>
  </library_images>
  <library_effects>
    <effect id="stripes-effect">
      <profile_COMMON>
        <newparam sid="stripes-surface"><surface type="2D"><init_from>stripes-image</init_from></surface></newparam>
        <newparam sid="stripes-sampler"><sampler2D><source>stripes-surface</source></sampler2D></newparam>
        <technique sid="common">
          <phong><diffuse><texture texture="stripes-sampler" texcoord="UVMap"/></diffuse></phong>
        </technique>
      </profile_COMMON>
    </effect>
  </library_effects>
  <library_materials>
    <material id="stripes-material" name="stripes"><instance_effect url="#stripes-effect"/></material>
  </library_materials>
  <library_geometries>
    <geometry id="column-mesh" name="column">
      <mesh>
        <source id="column-positions">
          <float_array id="column-positions-array" count="{len(positions)}">{floats(positions)}</float_array>
          <technique_common>
            <accessor source="#column-positions-array" count="{len(positions) // 3}" stride="3">
              <param name="X" type="float"/><param name="Y" type="float"/><param name="Z" type="float"/>
            </accessor>
          </technique_common>
        </source>
        <source id="column-normals">
          <float_array id="column-normals-array" count="{len(normals)}">{floats(normals)}</float_array>
          <technique_common>
            <accessor source="#column-normals-array" count="{len(normals) // 3}" stride="3">
              <param name="X" type="float"/><param name="Y" type="float"/><param name="Z" type="float"/>
            </accessor>
          </technique_common>
        </source>
        <source id="column-uvs">
          <float_array id="column-uvs-array" count="{len(uvs)}">{floats(uvs)}</float_array>
          <technique_common>
            <accessor source="#column-uvs-array" count="{len(uvs) // 2}" stride="2">
              <param name="S" type="float"/><param name="T" type="float"/>
            </accessor>
          </technique_common>
        </source>
        <vertices id="column-vertices"><input semantic="POSITION" source="#column-positions"/></vertices>
        <triangles material="stripes" count="{len(triangles) // 3}">
          <input semantic="VERTEX" source="#column-vertices" offset="0"/>
          <input semantic="NORMAL" source="#column-normals" offset="1"/>
          <input semantic="TEXCOORD" source="#column-uvs" offset="2" set="0"/>
          <p>{indices}</p>
        </triangles>
      </mesh>
    </geometry>
  </library_geometries>
  <library_controllers>
    <controller id="column-skin" name="column-skin">
      <skin source="#column-mesh">
        <bind_shape_matrix>{floats(identity)}</bind_shape_matrix>
        <source id="column-skin-joints">
          <Name_array id="column-skin-joints-array" count="2">Root Tip</Name_array>
          <technique_common>
            <accessor source="#column-skin-joints-array" count="2" stride="1"><param name="JOINT" type="name"/></accessor>
          </technique_common>
        </source>
        <source id="column-skin-binds">
          <float_array id="column-skin-binds-array" count="32">{floats(identity + tip_bind_inverse)}</float_array>
          <technique_common>
            <accessor source="#column-skin-binds-array" count="2" stride="16"><param name="TRANSFORM" type="float4x4"/></accessor>
          </technique_common>
        </source>
        <source id="column-skin-weights">
          <float_array id="column-skin-weights-array" count="1">1</float_array>
          <technique_common>
            <accessor source="#column-skin-weights-array" count="1" stride="1"><param name="WEIGHT" type="float"/></accessor>
          </technique_common>
        </source>
        <joints>
          <input semantic="JOINT" source="#column-skin-joints"/>
          <input semantic="INV_BIND_MATRIX" source="#column-skin-binds"/>
        </joints>
        <vertex_weights count="12">
          <input semantic="JOINT" source="#column-skin-joints" offset="0"/>
          <input semantic="WEIGHT" source="#column-skin-weights" offset="1"/>
          <vcount>{vcount}</vcount>
          <v>{weights_v}</v>
        </vertex_weights>
      </skin>
    </controller>
  </library_controllers>
  <library_animations>
    <animation id="tip-bend">
      <source id="tip-bend-input">
        <float_array id="tip-bend-input-array" count="3">{floats(key_times)}</float_array>
        <technique_common>
          <accessor source="#tip-bend-input-array" count="3" stride="1"><param name="TIME" type="float"/></accessor>
        </technique_common>
      </source>
      <source id="tip-bend-output">
        <float_array id="tip-bend-output-array" count="48">{floats(key_matrices)}</float_array>
        <technique_common>
          <accessor source="#tip-bend-output-array" count="3" stride="16"><param name="TRANSFORM" type="float4x4"/></accessor>
        </technique_common>
      </source>
      <source id="tip-bend-interpolation">
        <Name_array id="tip-bend-interpolation-array" count="3">LINEAR LINEAR LINEAR</Name_array>
        <technique_common>
          <accessor source="#tip-bend-interpolation-array" count="3" stride="1"><param name="INTERPOLATION" type="name"/></accessor>
        </technique_common>
      </source>
      <sampler id="tip-bend-sampler">
        <input semantic="INPUT" source="#tip-bend-input"/>
        <input semantic="OUTPUT" source="#tip-bend-output"/>
        <input semantic="INTERPOLATION" source="#tip-bend-interpolation"/>
      </sampler>
      <channel source="#tip-bend-sampler" target="Tip/transform"/>
    </animation>
  </library_animations>
  <library_visual_scenes>
    <visual_scene id="scene" name="scene">
      <node id="Root" name="Root" sid="Root" type="JOINT">
        <matrix sid="transform">{floats(identity)}</matrix>
        <node id="Tip" name="Tip" sid="Tip" type="JOINT">
          <matrix sid="transform">{floats(turn_z(0, 1))}</matrix>
        </node>
      </node>
      <node id="Column" name="Column" type="NODE">
        <instance_controller url="#column-skin">
          <skeleton>#Root</skeleton>
          <bind_material>
            <technique_common>
              <instance_material symbol="stripes" target="#stripes-material">
                <bind_vertex_input semantic="UVMap" input_semantic="TEXCOORD" input_set="0"/>
              </instance_material>
            </technique_common>
          </bind_material>
        </instance_controller>
      </node>
    </visual_scene>
  </library_visual_scenes>
  <scene><instance_visual_scene url="#scene"/></scene>
</COLLADA>
"""
    open("two_bones.dae", "w").write(dae)


write_crate()
write_ground()
write_two_bones()
