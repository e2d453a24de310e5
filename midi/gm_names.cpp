#include "midi/gm_names.h"

#include "midi/midi_error.h"

const char16_t *const kGmNames[kGmNameCount] = {
    // Instrument families.
    u"Piano", u"Chromatic Percussion", u"Organ", u"Guitar", u"Bass", u"Strings", u"Ensemble",
    u"Brass", u"Reed", u"Pipe", u"Synth Lead", u"Synth Pad", u"Synth Effects", u"Ethnic",
    u"Percussive", u"Sound Effects",
    u"",
    // Programmes 0..127.
    u"Acoustic grand piano", u"Bright acoustic piano", u"Electric grand piano",
    u"Honky-tonk piano", u"Rhodes piano", u"Chorused piano", u"Harpsichord", u"Clavinet",
    u"Celesta", u"Glockenspiel", u"Music box", u"Vibraphone", u"Marimba", u"Xylophone",
    u"Tubular bells", u"Dulcimer", u"Hammond organ", u"Percussive organ", u"Rock organ",
    u"Church organ", u"Reed organ", u"Accordion", u"Harmonica", u"Tango accordion",
    u"Acoustic guitar (nylon)", u"Acoustic guitar (steel)", u"Electric guitar (jazz)",
    u"Electric guitar (clean)", u"Electric guitar (muted)", u"Overdriven guitar",
    u"Distortion guitar", u"Guitar harmonics", u"Acoustic bass", u"Electric bass (finger)",
    u"Electric bass (pick)", u"Fretless bass", u"Slap bass 1", u"Slap bass 2", u"Synth bass 1",
    u"Synth bass 2", u"Violin", u"Viola", u"Cello", u"Contrabass", u"Tremolo strings",
    u"Pizzicato strings", u"Orchestral harp", u"Timpani", u"String ensemble 1",
    u"String ensemble 2", u"Synth. strings 1", u"Synth. strings 2", u"Choir Aahs", u"Voice Oohs",
    u"Synth voice", u"Orchestra hit", u"Trumpet", u"Trombone", u"Tuba", u"Muted trumpet",
    u"French horn", u"Brass section", u"Synth. brass 1", u"Synth. brass 2", u"Soprano sax",
    u"Alto sax", u"Tenor sax", u"Baritone sax", u"Oboe", u"English horn", u"Bassoon", u"Clarinet",
    u"Piccolo", u"Flute", u"Recorder", u"Pan flute", u"Bottle blow", u"Shakuhachi", u"Whistle",
    u"Ocarina", u"Lead 1 (square)", u"Lead 2 (sawtooth)", u"Lead 3 (calliope lead)",
    u"Lead 4 (chiff lead)", u"Lead 5 (charang)", u"Lead 6 (voice)", u"Lead 7 (fifths)",
    u"Lead 8 (brass + lead)", u"Pad 1 (new age)", u"Pad 2 (warm)", u"Pad 3 (polysynth)",
    u"Pad 4 (choir)", u"Pad 5 (bowed)", u"Pad 6 (metallic)", u"Pad 7 (halo)", u"Pad 8 (sweep)",
    u"FX 1 (rain)", u"FX 2 (soundtrack)", u"FX 3 (crystal)", u"FX 4 (atmosphere)",
    u"FX 5 (brightness)", u"FX 6 (goblins)", u"FX 7 (echoes)", u"FX 8 (sci-fi)", u"Sitar",
    u"Banjo", u"Shamisen", u"Koto", u"Kalimba", u"Bagpipe", u"Fiddle", u"Shanai", u"Tinkle Bell",
    u"Agogo", u"Steel Drums", u"Woodblock", u"Taiko Drum", u"Melodic Tom", u"Synth Drum",
    u"Reverse Cymbal", u"Guitar fret noise", u"Breath noise", u"Seashore", u"Bird tweet",
    u"Telephone ring", u"Helicopter", u"Applause", u"Gunshot",
    u"",
    u"  --  ",
    // Percussion keys 35..81.
    u"AcousticBassDrum", u"BassDrum1", u"SideStick", u"AcousticSnare", u"HandClap",
    u"ElectricSnare", u"LowFloorTom", u"ClosedHighHat", u"HighFloorTom", u"PedalHighHat",
    u"LowTom", u"OpenHighHat", u"LowMidTom", u"HighMidTom", u"CrashCymbal1", u"HighTom",
    u"RideCymbal1", u"ChineseCymbal", u"RideBell", u"Tambourine", u"SplashCymbal", u"Cowbell",
    u"CrashCymbal2", u"Vibraslap", u"RideCymbal2", u"HighBongo", u"LowBongo", u"MuteHighConga",
    u"OpenHighConga", u"LowConga", u"HighTimbale", u"LowTimbale", u"HighAgogo", u"LowAgogo",
    u"Cabasa", u"Maracas", u"ShortWhistle", u"LongWhistle", u"ShortGuiro", u"LongGuiro", u"Claves",
    u"HighWoodBlock", u"LowWoodBlock", u"MuteCuica", u"OpenCuica", u"MuteTriangle",
    u"OpenTriangle",
};

const char16_t *GetGmName(uint32_t programme) {
    if (programme >= 128) {
        RaiseMidiFileError(kMidiBadData);
        return nullptr;
    }
    return kGmNames[kGmProgramFirst + programme];
}
