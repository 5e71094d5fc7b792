"""Drawings with layouts and floating viewports as ezdxf writes them, for the tests that open
other programs' drawings.

  ezdxf_viewports.py write FOLDER   writes single.dxf (one viewport on Layout1, the case ezdxf's
                                    own examples show) and layouts.dxf (several layouts with
                                    plan, twisted, non-plan and clipped viewports, and an empty
                                    layout)
  ezdxf_viewports.py report FILE    prints one tab-separated line per VIEWPORT of every layout,
                                    as ezdxf reads it:
      handle layout id cx cy width height vcx vcy viewheight twist dx dy dz tx ty tz flags clip
  and a line "reactors HANDLE OWNER..." for every entity that has persistent reactors.
"""
import os
import sys

import ezdxf

NON_RECTANGULAR_CLIPPING = 0x10000


def write_single(path):
    doc = ezdxf.new("R2000")
    doc.modelspace().add_line((0, 0), (100, 100))
    doc.layouts.get("Layout1").add_viewport(
        center=(150, 100), size=(200, 100), view_center_point=(500, 400), view_height=1000)
    doc.saveas(path)


def write_layouts(path):
    doc = ezdxf.new("R2000")
    doc.layers.add("Frames", color=3)
    msp = doc.modelspace()
    msp.add_line((0, 0), (400, 300))
    msp.add_circle((200, 150), 50)
    msp.add_lwpolyline([(0, 0), (400, 0), (400, 300), (0, 300)], close=True)

    first = doc.layouts.get("Layout1")
    first.add_viewport(center=(100, 100), size=(120, 90), view_center_point=(200, 150), view_height=300)
    first.add_viewport(center=(260, 100), size=(100, 100), view_center_point=(50, 25), view_height=250,
                       dxfattribs={"view_twist_angle": 30.0, "layer": "Frames"})

    second = doc.layouts.new("Sheet B")
    second.add_viewport(center=(120, 110), size=(160, 120), view_center_point=(0, 0), view_height=400,
                        dxfattribs={"view_direction_vector": (1, -1, 1), "view_target_point": (200, 150, 0)})
    clipped = second.add_viewport(center=(300, 110), size=(140, 120), view_center_point=(200, 150),
                                  view_height=320)
    boundary = second.add_lwpolyline([(240, 60), (360, 60), (360, 160), (300, 170), (240, 130)], close=True)
    boundary.set_reactors([clipped.dxf.handle])
    clipped.dxf.flags = clipped.dxf.flags | NON_RECTANGULAR_CLIPPING
    clipped.dxf.clipping_boundary_handle = boundary.dxf.handle

    doc.layouts.new("Empty sheet")
    doc.saveas(path)


def number(value):
    return repr(float(value))


def report(path):
    doc = ezdxf.readfile(path)
    for layout in doc.layouts:
        if layout.is_modelspace:
            continue
        for entity in layout:
            if entity.dxftype() != "VIEWPORT":
                continue
            d = entity.dxf
            fields = [d.handle, layout.name, str(d.id)]
            fields += [number(d.center[0]), number(d.center[1]), number(d.width), number(d.height)]
            fields += [number(d.view_center_point[0]), number(d.view_center_point[1]), number(d.view_height)]
            fields += [number(d.get("view_twist_angle", 0.0))]
            fields += [number(v) for v in d.get("view_direction_vector", (0, 0, 1))]
            fields += [number(v) for v in d.get("view_target_point", (0, 0, 0))]
            fields += [str(d.get("flags", 0)), d.get("clipping_boundary_handle", "0")]
            print("\t".join(fields))
    for layout in doc.layouts:
        for entity in layout:
            reactors = entity.get_reactors()
            if reactors:
                print("\t".join(["reactors", entity.dxf.handle] + list(reactors)))


if __name__ == "__main__":
    if sys.argv[1] == "write":
        write_single(os.path.join(sys.argv[2], "single.dxf"))
        write_layouts(os.path.join(sys.argv[2], "layouts.dxf"))
    else:
        report(sys.argv[2])
